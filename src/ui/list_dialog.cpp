#include "dialog_box.h"
#include "list_dialog.h"

#include "format_text.h"
#include "host_context.h"
#include "shared_buffers.h"
#include "ui_resource_ids.h"

namespace {

// Copies entry index into the selection buffer; false when there is none.
bool readEntry(HWND list, LRESULT index) {
  if (index == LB_ERR) return false;
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR || length >= static_cast<LRESULT>(sizeof selectionBuffer)) return false;
  return SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(selectionBuffer)) != LB_ERR;
}

void chooseSelectedEntry(const ListProcedure& procedure, HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_CHOICE_LIST);
  // An empty list has no selected entry: OK then does nothing, and the user
  // leaves with Cancel.
  if (!readEntry(list, SendMessageA(list, LB_GETCURSEL, 0, 0))) return;
  procedure.writeChoice(selectionBuffer);
  EndDialog(dialog, 0);
}

}  // namespace

INT_PTR handleListMessage(const ListProcedure& procedure, HWND dialog, UINT message,
                          WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG: {
      HWND list = GetDlgItem(dialog, IDC_CHOICE_LIST);
      if (procedure.fill(dialog, list) == ListStart::kShow) {
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        SetFocus(list);
      }
      break;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        chooseSelectedEntry(procedure, dialog);
      } else if (LOWORD(wParam) == IDCANCEL) {
        if (procedure.cancelled) procedure.cancelled();
        EndDialog(dialog, 0);
      }
      break;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      break;
  }
  return FALSE;
}

void addListEntry(HWND list, const char* text) {
  char entry[sizeof selectionBuffer];
  formatText(entry, sizeof entry, "%s", text);
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}

ListStart takeSingleCandidate(HWND dialog, HWND list, int count,
                              void (*writeChoice)(const char* entry)) {
  if (count == 0) {
    setVariable(VAR_0, "-1");
  } else if (count == 1) {
    if (readEntry(list, 0)) writeChoice(selectionBuffer);
  } else {
    return ListStart::kShow;
  }
  EndDialog(dialog, 0);
  return ListStart::kEnded;
}

void runKeyChoiceDialog(HWND parent, DLGPROC procedure) {
  runDialog(IDD_KEY_CHOICE, parent, procedure, 0);
}

void runDeviceChoiceDialog(HWND parent, DLGPROC procedure) {
  runDialog(IDD_DEVICE_CHOICE, parent, procedure, 0);
}
