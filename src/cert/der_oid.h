// Dotted OID text to DER.
#pragma once

#include <cstddef>
#include <cstdint>

// Content bytes of the OID written as dotted text ("2.5.29.15" -> 55 1D 0F).
// Returns their count, or 0 when the text is not an OID or does not fit.
int32_t derOidFromText(const char* text, uint8_t* out, int32_t capacity);
// The same for the first `length` characters of text.
int32_t derOidFromTextRun(const char* text, size_t length, uint8_t* out, int32_t capacity);

// The whole OBJECT IDENTIFIER element (06, one length byte, content).
// Returns its size, or 0 on failure (capacity below 3, bad text, content
// longer than a one-byte length can state).
int32_t derEncodeOid(const char* text, uint8_t* out, int32_t capacity);
