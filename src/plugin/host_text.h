// Texts between the installer and the plug-in: the one place where they are
// converted.
//
// Library text is what the Nolm library speaks, Windows-1251. An ANSI
// installer's texts reach the library as they are (bytes of the system's
// code page, as scripts have always given them); a Unicode installer's are
// converted exactly, and a text that Windows-1251 cannot hold is refused
// rather than altered. Paths the plug-in opens itself, and texts it only
// shows, are read as UTF-16, so any path works in a Unicode installer.
#pragma once

#include <cstddef>

#include "nsis_plugin_api.h"

enum class TextRead {
  kOk,
  kMissing,  // no such variable, or an empty stack (out untouched)
  kTooLong,  // longer than capacity - 1 characters (out empty, nothing shown)
  kRefused,  // holds a character the target cannot; the refusal has been shown
};

TextRead readLibraryText(int index, char* out, std::size_t capacity);
TextRead popLibraryText(char* out, std::size_t capacity);
TextRead readWide(int index, wchar_t* out, std::size_t capacity);
TextRead popWide(wchar_t* out, std::size_t capacity);

// Windows-1251 text (the plug-in's own or the library's) into a variable or
// onto the stack, cut to string size - 1 characters.
void writeLibraryText(int index, const char* text);
void pushLibraryText(const char* text);
// Text from the system or the user (file names, what was typed). An ANSI
// installer gets it in the system's code page; false, with the refusal
// shown, when a character has no place there (the variable is then left
// as it was).
bool writeSystemText(int index, const wchar_t* text);
// A text only to be read (a message, a text of the catalogue): an ANSI
// installer gets it in Windows-1251, the code page of the plug-in's texts,
// letters it lacks as '?'.
void writeDisplayText(int index, const wchar_t* text);
void pushDisplayText(const wchar_t* text);

// What an empty or unknown text is: "" for the host.
inline bool isEmpty(const char* text) { return !text || !*text; }
