// The plug-in's own texts are Windows-1251 bytes; windows show UTF-16.
#pragma once

#include <cstddef>

// Converts zero-terminated Windows-1251 text into wide text (UTF-16 on
// Windows), at most capacity - 1 characters and a zero.
void wideFrom1251(const char* text, wchar_t* out, std::size_t capacity);
