#include "progress_template.h"

#include <cstring>

void writeProgressTemplate(void* block, const wchar_t* caption, int width, int height) {
  auto* words = static_cast<WORD*>(block);
  DWORD style = kProgressTemplateStyle;
  DWORD extendedStyle = 0;
  std::memcpy(words, &style, sizeof style);
  std::memcpy(words + 2, &extendedStyle, sizeof extendedStyle);
  words[4] = 0;  // no items: the window procedure creates the controls
  words[5] = 0;  // x and y: DS_CENTER places the window
  words[6] = 0;
  words[7] = static_cast<WORD>(width);
  words[8] = static_cast<WORD>(height);
  words[9] = 0;   // no menu
  words[10] = 0;  // the standard dialog class
  auto* title = reinterpret_cast<wchar_t*>(words + 11);
  int length = 0;
  if (caption)
    for (; length < kProgressTitleUnits - 1 && caption[length]; ++length) title[length] = caption[length];
  title[length] = L'\0';
}
