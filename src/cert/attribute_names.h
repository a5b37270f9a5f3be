// Short names of the directory attributes that can be asked for by name.
#pragma once

#include <cstddef>
#include <cstdint>

// The DER content of the OID of a short name such as "CN" (exact,
// case-sensitive), or null when the name is not in the table.
const uint8_t* attributeOidByName(const char* shortName, size_t* length);
