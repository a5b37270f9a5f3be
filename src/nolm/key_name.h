#pragma once

#include "text_id.h"

// Copies keyName into the key path buffer. When it is too long, shows
// tooLong (with the longest name's length) and returns false.
bool takeKeyName(const char* keyName, TextId tooLong);
