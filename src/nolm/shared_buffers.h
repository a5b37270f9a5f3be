// Work areas that the key operations share within a call.
#pragma once

#include "nolm_api.h"

// Password fields: the current (or old) and the new value.
extern char passwordField[kPasswordFieldSize];
extern char newValueField[kPasswordFieldSize];
// Key path, key name or key location handed to the library.
extern char keyPathBuffer[kKeyNameSize];
