// The certificate entry: one line naming a token certificate, the owner name
// followed by a short key number in parentheses, "Name (0102abcd)". Also the
// split of an entry back into its two parts.
#pragma once

#include <cstddef>

#include "byte_buffer.h"

// An owner name takes at most 332 bytes; the entry adds " (", 8 characters,
// ")" and the terminator.
constexpr size_t kCertificateEntryCapacity = 332 + 12;

struct CertificateEntry {
  char text[kCertificateEntryCapacity];
  bool empty() const { return text[0] == '\0'; }
};

// The key-number text of a serial number given as its whole DER INTEGER
// element: two lowercase hex digits per content byte, then "Z", cut to
// capacity - 1 characters. The header is skipped whatever the size of its
// length field. False when the element is too short to hold its own header.
bool keyNumberText(const ByteBuffer& serialNumber, char* text, size_t capacity);

// "<name> (<first 8 characters of keyNumber, padded with spaces>)".
CertificateEntry formatCertificateEntry(const char* ownerName, const char* keyNumber);

// The name part of an entry of length N: its first N - 10 characters (the
// owner name and the space after it). Empty for entries shorter than 10.
void entryNamePart(const char* entry, char* destination, size_t capacity);

// The key-number part: the 8 characters that begin 9 before the end.
// Empty for entries shorter than 9.
void entryKeyNumberPart(const char* entry, char* destination, size_t capacity);
