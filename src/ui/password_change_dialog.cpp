// PromptPasswordChange: asks for the current password or PIN and the new one,
// twice (dialog 102).
#include <windows.h>

#include <cstring>

#include "dialog_box.h"
#include "export_guard.h"
#include "host_context.h"
#include "secret_fields.h"
#include "text_fields.h"
#include "ui_resource_ids.h"

namespace {

// OK only with all three fields filled and the new value repeated exactly.
void enableOkWhenValid(HWND dialog) {
  char current[kSecretFieldSize];
  char newValue[kSecretFieldSize];
  char repeated[kSecretFieldSize];
  readSecretField(dialog, IDC_SECRET_EDIT, current);
  readSecretField(dialog, IDC_NEW_SECRET_EDIT, newValue);
  readSecretField(dialog, IDC_REPEATED_SECRET_EDIT, repeated);
  bool valid = current[0] && newValue[0] && repeated[0] && std::strcmp(newValue, repeated) == 0;
  EnableWindow(GetDlgItem(dialog, IDC_CHANGE_OK), valid);
  wipeSecret(current, sizeof current);
  wipeSecret(newValue, sizeof newValue);
  wipeSecret(repeated, sizeof repeated);
}

INT_PTR CALLBACK passwordChangeDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetFocus(GetDlgItem(dialog, IDC_SECRET_EDIT));
      break;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_SECRET_EDIT:
        case IDC_NEW_SECRET_EDIT:
        case IDC_REPEATED_SECRET_EDIT:
          enableOkWhenValid(dialog);
          break;
        case IDC_CHANGE_OK:
          passSecretField(dialog, IDC_SECRET_EDIT, VAR_2);
          passSecretField(dialog, IDC_NEW_SECRET_EDIT, VAR_3);
          EndDialog(dialog, 0);
          break;
        default:  // Cancel, or Esc
          EndDialog(dialog, 0);
          break;
      }
      break;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      break;
  }
  return FALSE;
}

}  // namespace

QELT_EXPORT(PromptPasswordChange) {
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport([parentWindow] {
    setVariable(VAR_2, "");
    runDialog(IDD_PASSWORD_CHANGE, parentWindow, passwordChangeDialogProcedure, 0);
  });
}
