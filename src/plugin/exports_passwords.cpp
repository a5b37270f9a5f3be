// PromptPassword, PromptPasswordChange.
#include "export_frame.h"
#include "host_text.h"
#include "last_failure.h"
#include "password_dialogs.h"

namespace {

struct Secrets {
  SecretText current = {};
  SecretText newValue = {};
  ~Secrets() {
    SecureZeroMemory(current, sizeof current);
    SecureZeroMemory(newValue, sizeof newValue);
  }
};

void promptPassword(HWND parent) {
  writeLibraryText(VAR_2, "");
  Secrets secrets;
  if (askPassword(parent, secrets.current))
    writeSystemText(VAR_2, secrets.current);
  else
    recordCancel();
}

void promptPasswordChange(HWND parent) {
  writeLibraryText(VAR_2, "");
  Secrets secrets;
  if (!askPasswordChange(parent, secrets.current, secrets.newValue)) {
    recordCancel();
    return;
  }
  // Both or neither: a refused new value takes the current one back.
  if (writeSystemText(VAR_2, secrets.current) && !writeSystemText(VAR_3, secrets.newValue))
    writeLibraryText(VAR_2, "");
}

}  // namespace

QELT_SECRET_EXPORT(PromptPassword, promptPassword, kSecretIn2, failsWhen(VAR_2, ""))
QELT_SECRET_EXPORT(PromptPasswordChange, promptPasswordChange, kSecretIn2And3, failsWhen(VAR_2, ""))
