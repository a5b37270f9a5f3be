// The progress window's dialog template, written at run time into memory.
#pragma once

#include <windows.h>

#include <cstddef>

// WS_VISIBLE | WS_CAPTION | DS_CENTER | DS_SETFOREGROUND: no system menu (so no
// close box) and no DS_SETFONT (dialog units follow the system font).
constexpr DWORD kProgressTemplateStyle = 0x10C00A00;
constexpr std::size_t kProgressTemplateSize = 1024;
// The title's room in UTF-16 units, terminator included.
constexpr int kProgressTitleUnits = 50;

// Writes a DLGTEMPLATE without items, of width x height dialog units, titled
// with caption (cut to 49 units). block holds kProgressTemplateSize zeroed bytes.
void writeProgressTemplate(void* block, const wchar_t* caption, int width, int height);
