#include "token_error_text.h"

#include "render.h"

namespace {

TextId describe(int32_t code) {
  switch (code) {
    case 0x07: return TextId::card_bad_arguments;  // CKR_ARGUMENTS_BAD
    case 0xA0: return TextId::card_wrong_pin;      // CKR_PIN_INCORRECT
    case 0xE0: return TextId::card_no_device;      // CKR_TOKEN_NOT_PRESENT
    default: return TextId::card_unknown_error;
  }
}

}  // namespace

void tokenErrorText(int32_t code, wchar_t* out, std::size_t capacity) {
  wchar_t description[256];
  renderText(description, 256, describe(code));
  renderText(out, capacity, TextId::card_error, description, static_cast<int>(code));
}
