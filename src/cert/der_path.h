// The scanner's cursor, for callers that walk one path on from where another
// ended (derScan is derPathStart followed by derPathWalk).
#pragma once

#include <cstdint>

struct DerCursor {
  const uint8_t* pos;  // tag byte of the next element
  const uint8_t* end;  // one past the current container
};

// Stands on `element`, whose container is the element itself; it must have
// a definite length that fits before `limit`.
int32_t derPathStart(const uint8_t* element, const uint8_t* limit, DerCursor* cursor);

// Runs the path's steps from the cursor. When the last letter selects an
// element the cursor stays on that element, so a further walk can go on
// from it. Outputs as for derScan.
int32_t derPathWalk(DerCursor* cursor, const char* format, const uint8_t** out, int32_t* outLength);
