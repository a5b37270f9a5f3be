#pragma once

#include "nolm_api.h"

// What the user is shown for the last code fetched: the library's own text,
// or the plug-in's when the library has none.
extern wchar_t libraryMessageShown[kTextBufferSize];

// Fetches the library's own text for code into the library message text and
// leaves it there (no message shown).
void fetchLibraryText(int code);
// Fetches the library's text for code and shows it in an error box.
void reportLibraryError(int code);
