#include "key_folder.h"

#include <windows.h>

#include <cwchar>

#include "nolm_api.h"

namespace {

bool isKeyFileName(const wchar_t* name) {
  if (name[0] == L'.') return false;
  const wchar_t* stop = std::wcsrchr(name, L'.');
  return std::wcscmp(stop ? stop + 1 : name, L"KEY") == 0;
}

}  // namespace

int listKeyFolder(const wchar_t* folder, KeyFileVisitor visit, void* context) {
  // A folder name too long for the pattern is a folder that cannot be searched.
  wchar_t pattern[kTextBufferSize];
  int length = _snwprintf(pattern, kTextBufferSize - 1, L"%ls\\*", folder);
  if (length < 0) return 0;
  pattern[length] = L'\0';
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (!isKeyFileName(found.cFileName)) continue;
    wchar_t name[9];
    _snwprintf(name, 8, L"%ls", found.cFileName);
    name[8] = L'\0';
    visit(name, context);
    ++count;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}
