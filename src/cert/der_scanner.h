// A small DER reader driven by path strings. Every function works over
// caller-owned bytes, never allocates or throws, and returns a status code.
// Each function is told where the readable bytes end (`limit`, one past the
// last byte it may read) and never reads at or beyond it: the starting
// element must fit before `limit`, and every element a path steps over,
// enters or selects must fit its container.
//
// Path language, one letter per step (spaces allowed before a step):
//   [o]letter[suffix]   'o' makes a skip step optional
//   tag letters  b bool, c any string, d OID, e/E[n] constructed context/app/
//                private (tag number n), g bit string, i integer, n null,
//                q octet string, r real, s sequence, t UTC/Generalized time,
//                u set, x[n] any (skip n), y/Y[n] non-universal tag number n,
//                z enumerated; G= and Q= allow an ignored '='
//   searches     f/F<oid> in a SEQUENCE, a<oid> in a SET: the child whose
//                first inner element is that OID; the scan continues after it
//   Last letter selects: lowercase the whole element, uppercase its content
//   (a bit string's content without the unused-bits byte). Before the end an
//   uppercase letter enters the element, a lowercase one skips it.
#pragma once

#include <cstdint>

enum : int32_t {
  DER_OK = 0,
  DER_ERR_LAST = -1,      // the selected element has the wrong tag
  DER_ERR_MISMATCH = -2,  // a mandatory step or a search found no match
  DER_ERR_BOUNDS = -3,    // the path runs off its container or off the data
  DER_ERR_SPACE = -4,     // an output buffer is too small
  DER_ERR_FORMAT = -5,    // the path string is malformed
  DER_END = -7,           // an iterator has no further element
};

// Total size (header and content) of the element, or 0 when its length form
// is unsupported (indefinite, more than 4 length bytes), its size does not
// fit in 31 bits, or its header runs past `limit`.
int32_t derElementSize(const uint8_t* element, const uint8_t* limit);

// Reads a length at *cursor and moves the cursor past it. An unsupported form
// gives 0 with the cursor after its first byte. Length bytes that run past
// `limit`, or a value above INT32_MAX, give -1 with the cursor unchanged.
int32_t derReadLength(const uint8_t** cursor, const uint8_t* limit);

// Walks `format` from `element` and returns where the selected bytes start
// and how many there are. `out` and `outLength` may be null. Outputs are
// written only on DER_OK.
int32_t derScan(const uint8_t* element, const uint8_t* limit, const char* format,
                const uint8_t** out, int32_t* outLength);
