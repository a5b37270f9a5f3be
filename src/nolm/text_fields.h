// Filling the fixed-size fields the library takes, and wiping secrets.
#pragma once

#include <cstddef>

#include "nolm_api.h"

// 32 spaces and a zero byte, with the first 32 characters of text over the start.
void fillPasswordField(char (&field)[kPasswordFieldSize], const char* text);

// Overwrites memory that held a password or PIN; not optimised away.
void wipeSecret(void* memory, std::size_t size);

// Copies text into out when it fits (capacity - 1 characters); false otherwise.
bool copyWhole(char* out, std::size_t capacity, const char* text);

// directory, a "\" unless it already ends with "\" or "/" (or is empty: then
// "\" too), then file. False when the whole does not fit in capacity - 1.
bool joinPath(char* out, std::size_t capacity, const char* directory, const char* file);
