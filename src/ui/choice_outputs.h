// What choosing a key entry hands to the script.
#pragma once

// A key entry (at most 8 characters): $0 its first 2 characters, $1 the 3rd
// to 6th, $2 the first 8.
void writeKeyNameOutputs(const char* entry);

