// PromptPassword: asks for the password of a secret key (dialog 101).
#include <windows.h>

#include "dialog_box.h"
#include "export_guard.h"
#include "host_context.h"
#include "secret_fields.h"
#include "text_fields.h"
#include "ui_resource_ids.h"

namespace {

void enableOkWhenFilled(HWND dialog) {
  char text[kSecretFieldSize];
  readSecretField(dialog, IDC_SECRET_EDIT, text);
  EnableWindow(GetDlgItem(dialog, IDOK), text[0] != '\0');
  wipeSecret(text, sizeof text);
}

INT_PTR CALLBACK passwordDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetFocus(GetDlgItem(dialog, IDC_SECRET_EDIT));
      break;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_SECRET_EDIT:
          enableOkWhenFilled(dialog);
          break;
        case IDOK:
          passSecretField(dialog, IDC_SECRET_EDIT, VAR_2);
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

QELT_EXPORT(PromptPassword) {
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport([parentWindow] {
    setVariable(VAR_2, "");
    runDialog(IDD_PASSWORD, parentWindow, passwordDialogProcedure, 0);
  });
}
