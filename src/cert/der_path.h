// The scanner's steps on a DerReader, for code that keeps a position and walks
// on from it (derScan is derPathStart followed by derPathWalk).
#pragma once

#include <cstddef>
#include <cstdint>

#include "der_reader.h"

// What a path selected: bytes within the data, and when they are an element's
// content, that element's tag (else 0).
struct DerSelected {
  const uint8_t* data;
  int32_t length;
  uint8_t tag;
};

// The largest OID content a path's search takes.
constexpr int32_t kDerPathOidCapacity = 128;

// Stands on `element`, whose container is the element itself; it must have a
// definite length that fits before `limit`.
int32_t derPathStart(const uint8_t* element, const uint8_t* limit, DerReader* at);

// Runs the path's steps from the reader's position; the reader is the
// current container. *out is written only on DER_OK.
int32_t derPathWalk(DerReader* at, const char* path, DerSelected* out);

// derPathStart and derPathWalk in one.
int32_t derSelect(const uint8_t* element, const uint8_t* limit, const char* path, DerSelected* out);

// The dotted OID at the start of *path (its run of digits and dots) as DER
// content into out (kDerPathOidCapacity bytes), *path moved past it. Returns
// the content's size, 0 when the run is not an OID or is too long.
int32_t derPathOid(const char** path, uint8_t* out);

// Among the children of the SEQUENCE (inSet: SET) at the reader's position,
// finds the one whose first inner element is the OID with this content; in
// a SEQUENCE OF SET the first SEQUENCE of each SET is examined. On success
// the reader holds the rest of that child after the OID.
int32_t derPathSearch(DerReader* at, bool inSet, const uint8_t* oid, size_t oidLength);
