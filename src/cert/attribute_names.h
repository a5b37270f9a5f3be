// Short names of the directory attributes that can be asked for by name.
#pragma once

// The dotted OID of a short name such as "CN" (exact, case-sensitive), or
// null when the name is not in the table.
const char* attributeOidByName(const char* shortName);
