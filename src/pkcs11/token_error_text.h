#pragma once

#include <cstddef>
#include <cstdint>

// The text shown for a card or token result code, "<text> (код <code>)", in
// the current language (or the script's own words for it): at most
// capacity - 1 characters and a zero.
void tokenErrorText(int32_t code, wchar_t* out, std::size_t capacity);
