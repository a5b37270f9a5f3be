#include "token_error_text.h"

#include "format_text.h"

namespace {

const char* describe(int32_t code) {
  switch (code) {
    case 0x07: return "Невірне значення аргументу";         // CKR_ARGUMENTS_BAD
    case 0xA0: return "Невірний PIN-код";                   // CKR_PIN_INCORRECT
    case 0xE0: return "Не знайдено підключеного пристою.";  // CKR_TOKEN_NOT_PRESENT
    default: return "Невизначена помилка";
  }
}

}  // namespace

TokenErrorText tokenErrorText(int32_t code) {
  TokenErrorText result;
  formatText(result.text, sizeof result.text, "%s (код %d)", describe(code),
                static_cast<int>(code));
  return result;
}
