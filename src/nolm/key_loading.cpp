// LoadKey, LoadKeyCC: loading the secret key, with the expiry warnings.
#include "format_text.h"
#include <cstring>

#include "export_guard.h"
#include "host_context.h"
#include "library_errors.h"
#include "message_boxes.h"
#include "nolm_library.h"
#include "shared_buffers.h"
#include "text_fields.h"

namespace {

// Result codes up to this value mean "loaded, with warnings"; above it, errors.
constexpr int kWarningThreshold = 70;
constexpr int kSecretKeyExpiring = 1 | 2;
constexpr int kAdminKeyExpiring = 4;
constexpr int kAnyWarning = 1 | 2 | 4 | 8 | 16 | 32;

const char kWarningCaption[] = "Предупреждение системы безопасности";

char secretKeyWarning[kTextBufferSize];
char adminKeyWarning[kTextBufferSize];
int secretKeyDaysLeft = 0;
int adminKeyDaysLeft = 0;

void showExpiryWarning(char (&buffer)[kTextBufferSize], const char* prompt, int days) {
  // A library text too long for the buffer is cut rather than refused.
  formatText(buffer, sizeof buffer, "%s\n%s %d %s", libraryMessageText, prompt, days, "дней");
  showWarning(buffer, kWarningCaption);
}

void judgeResult(int code, bool fromCard) {
  if (code == 0) {
    if (fromCard)
      showInformation("P_NolmLoadSecKeyCC - ok");
    setVariable(VAR_R0, "");
    return;
  }
  fetchLibraryText(code);
  if (code > kWarningThreshold) return;

  if (code & kSecretKeyExpiring) {
    secretKeyDaysLeft = nolm.NolmDaysLeft ? nolm.NolmDaysLeft(0) : 0;
    showExpiryWarning(secretKeyWarning, "До истечения срока действия секретного ключа осталось",
                      secretKeyDaysLeft);
  } else if (code & kAdminKeyExpiring) {
    adminKeyDaysLeft = nolm.NolmDaysLeftA ? nolm.NolmDaysLeftA(0) : 0;
    showExpiryWarning(adminKeyWarning, "До истечения срока действия ключа администратора осталось",
                      adminKeyDaysLeft);
  } else if (code & kAnyWarning) {
    showWarning(libraryMessageText, kWarningCaption);
  }
  lastResultCode = 0;
  setVariable(VAR_R0, "");
}

bool refuseLongKeyPath() {
  formatText(messageBuffer, sizeof messageBuffer,
                "Помилка завантаження ключа.\nШлях до ключа довший за %d символів.",
                kKeyNameSize - 1);
  showError(messageBuffer);
  return false;
}

// Fills the zero field and the password field from $2.
void prepareSecrets() {
  std::memset(selectionBuffer, 0, kPasswordFieldSize);
  fillPasswordField(passwordField, getVariable(VAR_2));
}

void loadFromFolder() {
  if (!REQUIRE_NOLM(NolmLoadSecKey)) return;
  const char* directory = getVariable(VAR_3);
  const char* file = getVariable(VAR_4);
  if (!directory || !file) return;
  if (!joinPath(keyPathBuffer, sizeof keyPathBuffer, directory, file)) {
    keyPathBuffer[0] = '\0';
    refuseLongKeyPath();
    return;
  }
  prepareSecrets();
  lastResultCode = nolm.NolmLoadSecKey(keyPathBuffer, passwordField, selectionBuffer, 0);
  wipeSecret(passwordField, sizeof passwordField);
  judgeResult(lastResultCode, false);
}

void loadFromCard() {
  if (!REQUIRE_NOLM(NolmLoadSecKeyCC)) return;
  const char* keyName = getVariable(VAR_3);
  if (!keyName) return;
  if (!copyWhole(keyPathBuffer, sizeof keyPathBuffer, keyName)) {
    keyPathBuffer[0] = '\0';
    refuseLongKeyPath();
    return;
  }
  prepareSecrets();
  lastResultCode = nolm.NolmLoadSecKeyCC(keyPathBuffer, passwordField, selectionBuffer, 0,
                                         currentReaderName);
  wipeSecret(passwordField, sizeof passwordField);
  judgeResult(lastResultCode, true);
}

}  // namespace

// Scripts call these after OpenNolm; the set-up still runs in case they come
// first in a load, so the host's variables are known.
QELT_EXPORT(LoadKey) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(loadFromFolder);
}

QELT_EXPORT(LoadKeyCC) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(loadFromCard);
}
