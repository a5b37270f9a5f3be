#include "format_text.h"

#include <cstdio>

bool formatTextV(char* out, std::size_t capacity, const char* format, va_list args) {
  if (!out || capacity == 0) return false;
#ifdef _WIN32
  // msvcrt: -1 when the text is longer than capacity, no terminator when it
  // is exactly capacity long.
  int length = _vsnprintf(out, capacity, format, args);
#else
  int length = std::vsnprintf(out, capacity, format, args);
#endif
  bool fits = length >= 0 && static_cast<std::size_t>(length) < capacity;
  if (!fits) out[capacity - 1] = '\0';
  return fits;
}

bool formatText(char* out, std::size_t capacity, const char* format, ...) {
  va_list args;
  va_start(args, format);
  bool fits = formatTextV(out, capacity, format, args);
  va_end(args);
  return fits;
}
