#include "code_pages.h"

#include <windows.h>

#include <cstring>

namespace platform {

bool toWide(const char* text, CodePage codePage, wchar_t* out, std::size_t capacity) {
  if (!out || capacity == 0) return false;
  out[0] = L'\0';
  if (!text || !*text) return true;
  const int room = static_cast<int>(capacity - 1);
  int written = MultiByteToWideChar(static_cast<UINT>(codePage), 0, text, -1, out,
                                    static_cast<int>(capacity));
  if (written > 0) return true;
  // Too long. No code page gives more UTF-16 units than bytes, so the first
  // room bytes always fit; a UTF-8 sequence is not cut in two.
  std::size_t bytes = std::strlen(text);
  if (bytes > static_cast<std::size_t>(room)) bytes = static_cast<std::size_t>(room);
  if (codePage == CodePage::kUtf8)
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
  int length = bytes ? MultiByteToWideChar(static_cast<UINT>(codePage), 0, text,
                                           static_cast<int>(bytes), out, room)
                     : 0;
  out[length > 0 ? length : 0] = L'\0';
  return false;
}

namespace {

// Converts without a default character: -1 when a character has no place.
int exactConversion(const wchar_t* text, CodePage codePage, char* out, int capacity) {
  UINT page = static_cast<UINT>(codePage);
  BOOL usedDefault = FALSE;
  const bool utf8 = codePage == CodePage::kUtf8;
  DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  int written = WideCharToMultiByte(page, flags, text, -1, out, capacity, nullptr,
                                    utf8 ? nullptr : &usedDefault);
  if (written <= 0) return 0;
  return usedDefault ? -1 : written;
}

}  // namespace

bool fromWide(const wchar_t* text, CodePage codePage, char* out, std::size_t capacity) {
  if (!out || capacity == 0) return false;
  out[0] = '\0';
  if (!text || !*text) return true;
  int needed = exactConversion(text, codePage, nullptr, 0);
  if (needed <= 0 || static_cast<std::size_t>(needed) > capacity) return false;
  if (exactConversion(text, codePage, out, static_cast<int>(capacity)) > 0) return true;
  out[0] = '\0';
  return false;
}

wchar_t firstUnrepresentable(const wchar_t* text, CodePage codePage) {
  if (!text) return 0;
  for (; *text; ++text) {
    wchar_t one[2] = {*text, 0};
    char bytes[8];
    // A surrogate pair is never held by a single-byte code page.
    if (*text >= 0xD800 && *text <= 0xDFFF && codePage != CodePage::kUtf8) return *text;
    if (exactConversion(one, codePage, bytes, sizeof bytes) <= 0) return *text;
  }
  return 0;
}

}  // namespace platform
