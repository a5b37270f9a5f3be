// The least a reader must do for the token list: walk a certificate's DER to
// the serial number and the subject's common name, checking every bound, and
// copy the name out. The floor the real reader is measured against.
#pragma once

#include <cstddef>
#include <cstdint>

// The serial INTEGER (whole element) and the first CN of the subject as a
// zero-terminated copy; false when the walk fails or the name does not fit.
bool minimalWalk(const uint8_t* der, size_t size, const uint8_t** serial, size_t* serialSize, char* cn,
                 size_t cnCapacity);
