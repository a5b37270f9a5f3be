// ChangePassword, ChangePasswordFile, ChangePin.
#include "export_frame.h"
#include "host_text.h"
#include "key_medium.h"
#include "scratch_text.h"
#include "secret_change.h"

namespace {

using Change = bool (*)(const char* key, const char* oldValue, const char* newValue);

// $1 the key, $2 the old value, $3 the new one; $0 "1" when changed.
void changeWith(Change change, const char* key) {
  Scratch oldValue, newValue;
  if (readLibraryText(VAR_2, oldValue.text, Scratch::kSize) != TextRead::kOk ||
      readLibraryText(VAR_3, newValue.text, Scratch::kSize) != TextRead::kOk)
    return;
  if (change(key, oldValue.text, newValue.text)) writeLibraryText(VAR_0, "1");
}

void changeKeyPassword(HWND, Change change) {
  writeLibraryText(VAR_0, "");
  Scratch key;
  if (readLibraryText(VAR_1, key.text, Scratch::kSize) != TextRead::kOk) return;
  changeWith(change, key.text);
}

void changePassword(HWND parent) { changeKeyPassword(parent, changeCardKeyPassword); }
void changePasswordFile(HWND parent) { changeKeyPassword(parent, changeKeyFilePassword); }

bool changePinOnPlasticCard(const char*, const char* oldPin, const char* newPin) {
  return changePin(true, oldPin, newPin);
}

bool changePinInReader(const char*, const char* oldPin, const char* newPin) {
  return changePin(false, oldPin, newPin);
}

void changePinExport(HWND) {
  writeLibraryText(VAR_0, "");
  if (!popKeyMedium()) return;
  changeWith(keyMediumIsPlasticCard() ? changePinOnPlasticCard : changePinInReader, "");
}

}  // namespace

QELT_SECRET_EXPORT(ChangePassword, changePassword, kSecretIn2And3, succeedsWhen(VAR_0, "1"))
QELT_SECRET_EXPORT(ChangePasswordFile, changePasswordFile, kSecretIn2And3, succeedsWhen(VAR_0, "1"))
QELT_SECRET_EXPORT(ChangePin, changePinExport, kSecretIn2And3, succeedsWhen(VAR_0, "1"))
