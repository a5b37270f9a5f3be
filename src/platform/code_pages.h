// Text between the code pages the plug-in meets: the library's Windows-1251,
// the system's ANSI code page (an ANSI installer's variables, file names),
// UTF-8 (owner names in certificates) and UTF-16 (a Unicode installer's
// variables, every window). Windows only.
#pragma once

#include <cstddef>

namespace platform {

enum class CodePage : unsigned { kSystemAnsi = 0, kWindows1251 = 1251, kUtf8 = 65001 };

// Converts zero-terminated text into UTF-16, at most capacity - 1 units and a
// zero. False when it had to be cut (or capacity is 0); out is then cut, not
// garbage.
bool toWide(const char* text, CodePage codePage, wchar_t* out, std::size_t capacity);

// Converts UTF-16 into code page exactly: no best-fit letters, no default
// character. False when a character has no place in the code page or the
// whole does not fit in capacity - 1 bytes; out is then empty.
bool fromWide(const wchar_t* text, CodePage codePage, char* out, std::size_t capacity);

// The first character of text that code page cannot hold, or 0.
wchar_t firstUnrepresentable(const wchar_t* text, CodePage codePage);

}  // namespace platform
