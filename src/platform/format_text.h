// Bounded formatting, the same everywhere: writes at most capacity - 1
// characters and a zero byte. True when the whole text fit, false when it was
// cut (or capacity is 0). On Windows it uses the system C runtime's formatter,
// which keeps the plug-in free of a second printf implementation.
#pragma once

#include <cstdarg>
#include <cstddef>

bool formatText(char* out, std::size_t capacity, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
bool formatTextV(char* out, std::size_t capacity, const char* format, va_list args);

// The same for wide text (%ls for a wide string argument, %d for a number).
// The number of characters written.
std::size_t formatWide(wchar_t* out, std::size_t capacity, const wchar_t* format, ...);
