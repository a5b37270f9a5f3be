#include "list_dialog.h"

#include "dialog_box.h"
#include "dialog_texts.h"
#include "trace.h"
#include "ui_resource_ids.h"

namespace {

// What the dialog ends with; 0 and -1 are the dialog manager's failures.
constexpr INT_PTR kEndCancelled = 1;
constexpr INT_PTR kEndClosed = 2;
constexpr INT_PTR kEndChosen = 16;  // plus the entry's index

struct ListRequest {
  const wchar_t* const* entries;
  int count;
  int templateId;
};

void fill(HWND list, const ListRequest& request) {
  for (int i = 0; i < request.count; ++i) {
    LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(request.entries[i]));
    // The list sorts; each item remembers which entry it shows.
    if (at >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), i);
  }
}

INT_PTR CALLBACK listProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND list = GetDlgItem(dialog, IDC_CHOICE_LIST);
  switch (message) {
    case WM_INITDIALOG:
      showDialogTexts(dialog, reinterpret_cast<const ListRequest*>(lParam)->templateId);
      fill(list, *reinterpret_cast<const ListRequest*>(lParam));
      SendMessageW(list, LB_SETCURSEL, 0, 0);
      SetFocus(list);
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
        // An empty list has no selected entry: OK then does nothing, and the
        // user leaves with Cancel.
        if (selected == LB_ERR) break;
        EndDialog(dialog,
                  kEndChosen + SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, kEndCancelled);
      }
      break;
    case WM_CLOSE:
      EndDialog(dialog, kEndClosed);
      break;
  }
  return FALSE;
}

}  // namespace

int chooseFromList(HWND owner, ListDialog dialog, const wchar_t* const* entries, int count) {
  int templateId = dialog == ListDialog::kKeyChoice ? IDD_KEY_CHOICE : IDD_DEVICE_CHOICE;
  ListRequest request = {entries, count, templateId};
  INT_PTR result = runDialog(templateId, owner, listProcedure, reinterpret_cast<LPARAM>(&request));
  if (result == kEndCancelled) {
    QELT_TRACE("answer: Cancel (%d entries offered)", count);
    return kListCancelled;
  }
  if (result < kEndChosen || result - kEndChosen >= count) {
    QELT_TRACE("answer: closed (%d entries offered)", count);
    return kListClosed;
  }
  const int chosen = static_cast<int>(result - kEndChosen);
  QELT_TRACE_WITH(entries[chosen], "answer: OK (%d entries offered), chose ", count);
  return chosen;
}
