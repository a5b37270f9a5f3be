#include "text_1251.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cstring>
#endif

void wideFrom1251(const char* text, wchar_t* out, std::size_t capacity) {
  if (!out || capacity == 0) return;
  out[0] = L'\0';
  if (!text || !*text) return;
#ifdef _WIN32
  // A text too long for out is cut at the last character that fits.
  int length = 0;
  while (text[length] && static_cast<std::size_t>(length) < capacity - 1) ++length;
  int written = MultiByteToWideChar(1251, 0, text, length, out, static_cast<int>(capacity - 1));
  out[written > 0 ? written : 0] = L'\0';
#else
  iconv_t converter = iconv_open("WCHAR_T", "CP1251");
  if (converter == reinterpret_cast<iconv_t>(-1)) return;
  char* in = const_cast<char*>(text);
  std::size_t inLeft = std::strlen(text);
  char* to = reinterpret_cast<char*>(out);
  std::size_t toLeft = (capacity - 1) * sizeof(wchar_t);
  iconv(converter, &in, &inLeft, &to, &toLeft);
  iconv_close(converter);
  *reinterpret_cast<wchar_t*>(to) = L'\0';
#endif
}
