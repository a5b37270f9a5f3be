// Walking the children of a constructed element.
#pragma once

#include <cstdint>

struct DerIterator {
  const uint8_t* current;  // tag byte of the current child
  int32_t currentSize;     // its total size
  const uint8_t* end;      // one past the parent's content
};

// Scans the path (ending in an uppercase letter: the content is iterated) and
// stands on its first child. DER_END when the content is empty or starts with
// a 0 byte; DER_ERR_BOUNDS for a child that does not fit the parent or whose
// size cannot be known (indefinite or over-long length), which ends the
// iteration. A child lies within [current, end), so it can be scanned with
// `end` as its limit.
int32_t derIterFirst(const uint8_t* element, const uint8_t* limit, const char* format,
                     DerIterator* iterator);

// Stands on the first child within content of that length.
int32_t derIterOver(const uint8_t* content, int32_t length, DerIterator* iterator);

// Moves to the next child, with the same results as derIterFirst.
int32_t derIterNext(DerIterator* iterator);
