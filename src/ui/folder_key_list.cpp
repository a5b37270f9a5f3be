// The key files of a folder: names whose extension is exactly "KEY".
#include <cstring>

#include "choice_outputs.h"
#include "format_text.h"
#include "list_dialog.h"
#include "list_procedures.h"
#include "nolm_api.h"
#include "shared_buffers.h"

namespace {

bool isKeyFileName(const char* name) {
  if (name[0] == '.') return false;
  const char* stop = std::strrchr(name, '.');
  return std::strcmp(stop ? stop + 1 : name, "KEY") == 0;
}

ListStart fillFolderKeys(HWND dialog, HWND list) {
  int count = 0;
  // A marker too long for the pattern is a folder that cannot be searched.
  char pattern[kTextBufferSize];
  if (formatText(pattern, sizeof pattern, "%s\\*", keyMediumMarker)) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (!isKeyFileName(found.cFileName)) continue;
        char entry[9];
        formatText(entry, sizeof entry, "%.8s", found.cFileName);
        addListEntry(list, entry);
        ++count;
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
  }
  return takeSingleCandidate(dialog, list, count, writeKeyNameOutputs);
}

const ListProcedure kFolderKeyList = {fillFolderKeys, writeKeyNameOutputs, nullptr};

}  // namespace

INT_PTR CALLBACK folderKeyListProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  return handleListMessage(kFolderKeyList, dialog, message, wParam);
}
