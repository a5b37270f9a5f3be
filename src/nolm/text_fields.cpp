#include "text_fields.h"

#include <windows.h>

#include "format_text.h"
#include <cstring>

void fillPasswordField(char (&field)[kPasswordFieldSize], const char* text) {
  std::memset(field, ' ', kPasswordFieldSize - 1);
  field[kPasswordFieldSize - 1] = '\0';
  if (text) std::memcpy(field, text, strnlen(text, kPasswordFieldSize - 1));
}

void wipeSecret(void* memory, std::size_t size) { SecureZeroMemory(memory, size); }

bool copyWhole(char* out, std::size_t capacity, const char* text) {
  return formatText(out, capacity, "%s", text ? text : "");
}

bool joinPath(char* out, std::size_t capacity, const char* directory, const char* file) {
  std::size_t length = std::strlen(directory);
  bool separated = length > 0 && (directory[length - 1] == '\\' || directory[length - 1] == '/');
  return formatText(out, capacity, "%s%s%s", directory, separated ? "" : "\\", file);
}
