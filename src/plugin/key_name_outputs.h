// What choosing a key hands to the script: $0 the first 2 characters of the
// key name, $1 the 3rd to 6th, $2 the first 8.
#pragma once

// A name the library gave (Windows-1251).
void writeKeyNameOutputs(const char* name);
// A name the system gave (a file name).
void writeKeyNameOutputs(const wchar_t* name);
