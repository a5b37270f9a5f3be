// Room for one whole variable or stack entry, converted, for the length of a
// call. Wiped when it goes, since it may have held a password or a PIN.
#pragma once

#include <windows.h>

#include <cstddef>

template <typename Char>
struct BasicScratch {
  // The largest string size NSIS is built with.
  static constexpr std::size_t kSize = 8192;
  Char text[kSize] = {};
  BasicScratch() = default;
  BasicScratch(const BasicScratch&) = delete;
  BasicScratch& operator=(const BasicScratch&) = delete;
  ~BasicScratch() { SecureZeroMemory(text, sizeof text); }
};

using Scratch = BasicScratch<char>;
using WideScratch = BasicScratch<wchar_t>;
