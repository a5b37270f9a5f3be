#include "parse_integer.h"

namespace {

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int32_t parseInteger(const char* text) {
  if (!text) return 0;
  // Unsigned arithmetic so that overflow wraps instead of being undefined.
  uint32_t value = 0;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    for (const char* p = text + 2; hexDigitValue(*p) >= 0; ++p)
      value = value * 16u + static_cast<uint32_t>(hexDigitValue(*p));
    return static_cast<int32_t>(value);
  }
  if (text[0] == '0' && text[1] >= '0' && text[1] <= '7') {
    for (const char* p = text + 1; *p >= '0' && *p <= '7'; ++p)
      value = value * 8u + static_cast<uint32_t>(*p - '0');
    return static_cast<int32_t>(value);
  }
  const char* p = text;
  bool negative = *p == '-';
  if (negative) ++p;
  for (; *p >= '0' && *p <= '9'; ++p) value = value * 10u + static_cast<uint32_t>(*p - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}
