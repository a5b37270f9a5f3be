#include "password_field.h"

std::string fieldFromText(const std::string& text) {
  std::string field(kPasswordFieldSize - 1, ' ');
  field.replace(0, text.size() < field.size() ? text.size() : field.size(), text, 0,
                kPasswordFieldSize - 1);
  field.push_back('\0');
  return field;
}

std::string fieldAt(const char* bytes) { return std::string(bytes, kPasswordFieldSize); }

std::string hexOf(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (unsigned char byte : bytes) {
    hex.push_back(digits[byte >> 4]);
    hex.push_back(digits[byte & 15]);
  }
  return hex;
}

static int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool bytesFromHex(const std::string& hex, std::string* bytes) {
  if (hex.size() % 2 != 0) return false;
  std::string result;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int high = digitValue(hex[i]), low = digitValue(hex[i + 1]);
    if (high < 0 || low < 0) return false;
    result.push_back(static_cast<char>(high * 16 + low));
  }
  *bytes = result;
  return true;
}
