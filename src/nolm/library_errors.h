#pragma once

// Fetches the library's own text for code into the library message text and
// leaves it there (no message shown).
void fetchLibraryText(int code);
// Fetches the library's text for code and shows it in an error box.
void reportLibraryError(int code);
