#pragma once

#include <cstdint>

// Reads the integer at the start of text: 0x/0X hexadecimal, a leading 0 and
// an octal digit octal, else decimal with an optional minus sign. Stops at the
// first character that does not belong; wraps around in 32 bits.
int32_t parseInteger(const char* text);
