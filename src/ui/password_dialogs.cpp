#include "password_dialogs.h"

#include <cwchar>

#include "dialog_box.h"
#include "dialog_texts.h"
#include "trace.h"
#include "ui_resource_ids.h"

namespace {

struct SecretFields {
  wchar_t* current;
  wchar_t* newValue;  // null in the password dialog
};

void readField(HWND dialog, int id, SecretText& text) {
  text[0] = L'\0';
  GetDlgItemTextW(dialog, id, text, kSecretFieldSize);
}

void wipe(SecretText& text) { SecureZeroMemory(text, sizeof text); }

void enableOk(HWND dialog, bool change) {
  SecretText current, newValue, repeated;
  readField(dialog, IDC_SECRET_EDIT, current);
  bool valid = current[0] != L'\0';
  if (change) {
    readField(dialog, IDC_NEW_SECRET_EDIT, newValue);
    readField(dialog, IDC_REPEATED_SECRET_EDIT, repeated);
    valid = valid && newValue[0] && repeated[0] && std::wcscmp(newValue, repeated) == 0;
    wipe(newValue);
    wipe(repeated);
  }
  wipe(current);
  EnableWindow(GetDlgItem(dialog, change ? IDC_CHANGE_OK : IDOK), valid);
}

INT_PTR CALLBACK secretProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* fields = reinterpret_cast<SecretFields*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      showDialogTexts(dialog, reinterpret_cast<SecretFields*>(lParam)->newValue ? IDD_PASSWORD_CHANGE
                                                                                  : IDD_PASSWORD);
      SetFocus(GetDlgItem(dialog, IDC_SECRET_EDIT));
      break;
    case WM_COMMAND: {
      if (!fields) break;
      const bool change = fields->newValue != nullptr;
      const int id = LOWORD(wParam);
      if (id == IDC_SECRET_EDIT || id == IDC_NEW_SECRET_EDIT || id == IDC_REPEATED_SECRET_EDIT) {
        enableOk(dialog, change);
      } else if (id == (change ? IDC_CHANGE_OK : IDOK)) {
        GetDlgItemTextW(dialog, IDC_SECRET_EDIT, fields->current, kSecretFieldSize);
        if (change)
          GetDlgItemTextW(dialog, IDC_NEW_SECRET_EDIT, fields->newValue, kSecretFieldSize);
        EndDialog(dialog, IDOK);
      } else {  // Cancel, or Esc
        EndDialog(dialog, IDCANCEL);
      }
      break;
    }
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      break;
  }
  return FALSE;
}

// Only the lengths of what was typed reach the log.
bool traceAnswer(bool ok, const SecretFields& fields) {
  if (!ok)
    QELT_TRACE("answer: Cancel");
  else if (!fields.newValue)
    QELT_TRACE("answer: OK, password *** (%u characters)", unsigned(std::wcslen(fields.current)));
  else
    QELT_TRACE("answer: OK, current *** (%u characters), new *** (%u characters)",
               unsigned(std::wcslen(fields.current)), unsigned(std::wcslen(fields.newValue)));
  return ok;
}

}  // namespace

bool askPassword(HWND owner, SecretText& password) {
  password[0] = L'\0';
  SecretFields fields = {password, nullptr};
  return traceAnswer(
      runDialog(IDD_PASSWORD, owner, secretProcedure, reinterpret_cast<LPARAM>(&fields)) == IDOK,
      fields);
}

bool askPasswordChange(HWND owner, SecretText& current, SecretText& newValue) {
  current[0] = L'\0';
  newValue[0] = L'\0';
  SecretFields fields = {current, newValue};
  return traceAnswer(runDialog(IDD_PASSWORD_CHANGE, owner, secretProcedure,
                               reinterpret_cast<LPARAM>(&fields)) == IDOK,
                     fields);
}
