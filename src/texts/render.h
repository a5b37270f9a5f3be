// A text as the user sees it: the script's own words for it, or the built-in
// text in the current language, with the values put in. Arguments: an int
// for each %d, a wide string (const wchar_t*) for each %s.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "text_id.h"

// At most capacity - 1 characters and a zero.
void renderText(wchar_t* out, std::size_t capacity, TextId id, ...);
void renderTextV(wchar_t* out, std::size_t capacity, TextId id, va_list args);
