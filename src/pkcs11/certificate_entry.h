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
  // The owner name in the system's ANSI code page.
  char text[kCertificateEntryCapacity];
  // The same entry with the owner name as the certificate holds it, UTF-8.
  char utf8[kCertificateEntryCapacity];
  bool empty() const { return text[0] == '\0'; }
};

// The key-number text of a serial number given as its whole DER INTEGER
// element: two lowercase hex digits per content byte, then "Z", cut to
// capacity - 1 characters. The header is skipped whatever the size of its
// length field. False when the element is too short to hold its own header.
bool keyNumberText(const ByteBuffer& serialNumber, char* text, size_t capacity);

// "<name> (<first 8 characters of keyNumber, padded with spaces>)", with the
// name in the ANSI code page and as UTF-8.
CertificateEntry formatCertificateEntry(const char* utf8OwnerName, const char* keyNumber);

// The name part of an entry of length N characters: its first N - 10 (the
// owner name and the space after it). Empty for entries shorter than 10.
template <typename Char>
void entryNamePart(const Char* entry, Char* destination, size_t capacity);

// The key-number part: the 8 characters that begin 9 before the end.
// Empty for entries shorter than 9.
template <typename Char>
void entryKeyNumberPart(const Char* entry, Char* destination, size_t capacity);

namespace certificate_entry_detail {

template <typename Char>
size_t length(const Char* text) {
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}

template <typename Char>
void copyBounded(const Char* source, size_t count, Char* destination, size_t capacity) {
  if (capacity == 0) return;
  if (count > capacity - 1) count = capacity - 1;
  for (size_t i = 0; i < count; ++i) destination[i] = source[i];
  destination[count] = 0;
}

}  // namespace certificate_entry_detail

template <typename Char>
void entryNamePart(const Char* entry, Char* destination, size_t capacity) {
  const size_t n = certificate_entry_detail::length(entry);
  certificate_entry_detail::copyBounded(entry, n >= 10 ? n - 10 : 0, destination, capacity);
}

template <typename Char>
void entryKeyNumberPart(const Char* entry, Char* destination, size_t capacity) {
  const size_t n = certificate_entry_detail::length(entry);
  if (n < 9) {
    certificate_entry_detail::copyBounded(entry, 0, destination, capacity);
    return;
  }
  certificate_entry_detail::copyBounded(entry + n - 9, 8, destination, capacity);
}
