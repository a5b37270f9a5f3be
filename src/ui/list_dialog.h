// The key choice dialog (103) and the device choice dialog (105): one list box
// filled by a list procedure, OK and Cancel. What differs from list to list is
// how the list is filled and what a choice writes.
#pragma once

#include <windows.h>

enum class ListStart { kShow, kEnded };

struct ListProcedure {
  // On WM_INITDIALOG. May end the dialog before it is shown (kEnded).
  ListStart (*fill)(HWND dialog, HWND list);
  // On OK, with the chosen entry's text.
  void (*writeChoice)(const char* entry);
  // On Cancel (or Esc); null when Cancel writes nothing.
  void (*cancelled)();
};

// The dialog procedure body shared by every list; returns FALSE as the
// dialog manager expects of these dialogs.
INT_PTR handleListMessage(const ListProcedure& procedure, HWND dialog, UINT message,
                          WPARAM wParam);

// Adds text cut to the selection buffer's 1023 characters.
void addListEntry(HWND list, const char* text);

// For lists that take a single candidate without asking: no entry writes "-1"
// to $0, one entry is chosen at once; both end the dialog before it shows.
ListStart takeSingleCandidate(HWND dialog, HWND list, int count,
                              void (*writeChoice)(const char* entry));

// Modal key choice (103) and device choice (105) dialogs owned by parent.
void runKeyChoiceDialog(HWND parent, DLGPROC procedure);
void runDeviceChoiceDialog(HWND parent, DLGPROC procedure);
