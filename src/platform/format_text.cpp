#include "format_text.h"

#include <cstdio>
#include <cwchar>

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

std::size_t formatWide(wchar_t* out, std::size_t capacity, const wchar_t* format, ...) {
  if (!out || capacity == 0) return 0;
  va_list args;
  va_start(args, format);
#ifdef _WIN32
  int length = _vsnwprintf(out, capacity, format, args);
#else
  int length = std::vswprintf(out, capacity, format, args);
#endif
  va_end(args);
  if (length >= 0 && static_cast<std::size_t>(length) < capacity) return static_cast<std::size_t>(length);
  // Cut: whatever was written ends inside the buffer.
  out[capacity - 1] = L'\0';
  return std::wcslen(out);
}
