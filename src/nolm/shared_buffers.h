// Module-level work areas that several exports share (and that keep their
// content from one call to the next, as scripts expect).
#pragma once

#include "nolm_api.h"

// Password fields: the current (or old) and the new value.
extern char passwordField[kPasswordFieldSize];
extern char newValueField[kPasswordFieldSize];
// Key path, key name or key location handed to the library.
extern char keyPathBuffer[kKeyNameSize];
// "PLC:" for the plastic card, else a key folder or the card in the reader.
extern char keyMediumMarker[kTextBufferSize];
// The chosen list entry; its first 33 bytes double as the zero field of
// key loading.
extern char selectionBuffer[kTextBufferSize];
