// Loading the secret key, with the expiry warnings.
#include "key_loading.h"

#include <cstring>

#include "format_text.h"
#include "library_errors.h"
#include "nolm_library.h"
#include "notices.h"
#include "shared_buffers.h"
#include "text_fields.h"
#include "trace.h"

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

void showWarning(int code, const char* text) {
  notify1251(NoticeKind::kWarning, code, text, kWarningCaption);
}

void showExpiryWarning(int code, char (&buffer)[kTextBufferSize], const char* prompt, int days) {
  // A library text too long for the buffer is cut rather than refused.
  formatText(buffer, sizeof buffer, "%s\n%s %d %s", libraryMessageText, prompt, days, "дней");
  showWarning(code, buffer);
}

// True when the key is loaded, with or without a warning.
bool judgeResult(int code, bool fromCard) {
  if (code == 0) {
    if (fromCard) notify1251(NoticeKind::kInformation, 0, "P_NolmLoadSecKeyCC - ok");
    return true;
  }
  fetchLibraryText(code);
  if (code > kWarningThreshold) {
    notify1251(NoticeKind::kSilentFailure, code, libraryMessageText);
    return false;
  }

  if (code & kSecretKeyExpiring) {
    secretKeyDaysLeft = nolm.NolmDaysLeft ? nolm.NolmDaysLeft(0) : 0;
    QELT_TRACE("NolmDaysLeft(0) = %d", secretKeyDaysLeft);
    showExpiryWarning(code, secretKeyWarning, "До истечения срока действия секретного ключа осталось",
                      secretKeyDaysLeft);
  } else if (code & kAdminKeyExpiring) {
    adminKeyDaysLeft = nolm.NolmDaysLeftA ? nolm.NolmDaysLeftA(0) : 0;
    QELT_TRACE("NolmDaysLeftA(0) = %d", adminKeyDaysLeft);
    showExpiryWarning(code, adminKeyWarning, "До истечения срока действия ключа администратора осталось",
                      adminKeyDaysLeft);
  } else if (code & kAnyWarning) {
    showWarning(code, libraryMessageText);
  }
  lastResultCode = 0;
  return true;
}

bool refuseLongKeyPath() {
  char text[kTextBufferSize];
  formatText(text, sizeof text, "Помилка завантаження ключа.\nШлях до ключа довший за %d символів.",
             kKeyNameSize - 1);
  notifyError(kCodeTooLong, text);
  return false;
}

// The field the library takes after the password: zero bytes.
char zeroField[kTextBufferSize];

void prepareSecrets(const char* password) {
  std::memset(zeroField, 0, sizeof zeroField);
  fillPasswordField(passwordField, password);
}

}  // namespace

bool loadKeyFromFolder(const char* directory, const char* file, const char* password) {
  if (!REQUIRE_NOLM(NolmLoadSecKey)) return false;
  if (!joinPath(keyPathBuffer, sizeof keyPathBuffer, directory, file)) {
    keyPathBuffer[0] = '\0';
    return refuseLongKeyPath();
  }
  prepareSecrets(password);
  lastResultCode = nolm.NolmLoadSecKey(keyPathBuffer, passwordField, zeroField, 0);
  QELT_TRACE("NolmLoadSecKey(\"%s\", ***, 0) = %d", keyPathBuffer, lastResultCode);
  wipeSecret(passwordField, sizeof passwordField);
  return judgeResult(lastResultCode, false);
}

bool loadKeyFromCard(const char* keyName, const char* password) {
  if (!REQUIRE_NOLM(NolmLoadSecKeyCC)) return false;
  if (!copyWhole(keyPathBuffer, sizeof keyPathBuffer, keyName)) {
    keyPathBuffer[0] = '\0';
    return refuseLongKeyPath();
  }
  prepareSecrets(password);
  lastResultCode = nolm.NolmLoadSecKeyCC(keyPathBuffer, passwordField, zeroField, 0,
                                         currentReaderName);
  QELT_TRACE("NolmLoadSecKeyCC(\"%s\", ***, 0, \"%s\") = %d", keyPathBuffer, currentReaderName,
             lastResultCode);
  wipeSecret(passwordField, sizeof passwordField);
  return judgeResult(lastResultCode, true);
}
