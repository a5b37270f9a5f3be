// Converts UTF-8 text (as certificates hold owner names) into the ANSI code
// page, one byte per one- to three-byte sequence.
#pragma once

#include <cstddef>

// Writes at most capacity - 1 bytes and a terminating zero (nothing at all
// when capacity is 0). Continuation bytes are not validated; a four-byte
// sequence's lead byte is read as a two-byte one. A sequence cut short by the
// end of the text ends the conversion: source is never read past its zero.
void utf8ToAnsi(const char* source, char* destination, size_t capacity);
