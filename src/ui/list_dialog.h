// The key choice dialog (103) and the device choice dialog (105): one list box,
// OK and Cancel.
#pragma once

#include <windows.h>

enum class ListDialog { kKeyChoice, kDeviceChoice };

// What the user did: the index (into entries) of the chosen entry, or one of these.
constexpr int kListCancelled = -1;  // Cancel or Esc
constexpr int kListClosed = -2;     // the close box

// Shows entries (the list sorts them) modally, owned by owner. OK with no
// entry selected does nothing.
int chooseFromList(HWND owner, ListDialog dialog, const wchar_t* const* entries, int count);
