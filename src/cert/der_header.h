// Reading one element header (tag and length) within a byte limit. Shared by
// the scanner, the value extraction and the iterator.
#pragma once

#include <cstddef>
#include <cstdint>

struct DerHeader {
  uint8_t tag;
  uint8_t headerSize;  // tag, first length byte and any further length bytes
  uint32_t length;     // content length; 0 for an unsupported length form
  bool definite;       // false for the indefinite form and over-long lengths
};

// Bytes readable from p up to limit (0 when p is at or past it).
inline size_t derAvailable(const uint8_t* p, const uint8_t* limit) {
  return p < limit ? static_cast<size_t>(limit - p) : 0;
}

// Reads the header at `element`. False when any header byte lies at or
// beyond `limit`. An unsupported length form reads as a 2-byte header with
// length 0 and definite == false.
inline bool derReadHeader(const uint8_t* element, const uint8_t* limit, DerHeader* header) {
  const size_t available = derAvailable(element, limit);
  if (available < 2) return false;
  header->tag = element[0];
  const uint8_t first = element[1];
  header->definite = true;
  if (first < 0x80) {
    header->headerSize = 2;
    header->length = first;
    return true;
  }
  const unsigned count = first & 0x7Fu;
  if (count == 0 || count > 4) {
    header->headerSize = 2;
    header->length = 0;
    header->definite = false;
    return true;
  }
  if (available < 2 + count) return false;
  uint32_t length = 0;
  for (unsigned i = 0; i < count; ++i) length = (length << 8) | element[2 + i];
  header->headerSize = static_cast<uint8_t>(2 + count);
  header->length = length;
  return true;
}
