// Loading the secret key, with the expiry warnings.
#include "key_loading.h"

#include <cstring>

#include "library_errors.h"
#include "nolm_library.h"
#include "notices.h"
#include "render.h"
#include "shared_buffers.h"
#include "text_fields.h"
#include "trace.h"

namespace {

// Result codes up to this value mean "loaded, with warnings"; above it, errors.
constexpr int kWarningThreshold = 70;
constexpr int kSecretKeyExpiring = 1 | 2;
constexpr int kAdminKeyExpiring = 4;
constexpr int kAnyWarning = 1 | 2 | 4 | 8 | 16 | 32;

wchar_t secretKeyWarning[kTextBufferSize];
wchar_t adminKeyWarning[kTextBufferSize];
int secretKeyDaysLeft = 0;
int adminKeyDaysLeft = 0;

// The library's text and the days left; a library text too long for the
// buffer is cut rather than refused.
void showExpiryWarning(int code, wchar_t (&buffer)[kTextBufferSize], TextId warning, int days) {
  renderText(buffer, kTextBufferSize, warning, libraryMessageShown, days);
  notifyWide(NoticeKind::kWarning, code, buffer, TextId::expiry_caption);
}

// True when the key is loaded, with or without a warning.
bool judgeResult(int code, bool fromCard) {
  if (code == 0) {
    if (fromCard) notifyText(NoticeKind::kInformation, 0, kDefaultCaption, TextId::card_key_loaded);
    return true;
  }
  fetchLibraryText(code);
  if (code > kWarningThreshold) {
    notifyWide(NoticeKind::kSilentFailure, code, libraryMessageShown);
    return false;
  }

  if (code & kSecretKeyExpiring) {
    secretKeyDaysLeft = nolm.NolmDaysLeft ? nolm.NolmDaysLeft(0) : 0;
    QELT_TRACE("NolmDaysLeft(0) = %d", secretKeyDaysLeft);
    showExpiryWarning(code, secretKeyWarning, TextId::secret_key_expiring, secretKeyDaysLeft);
  } else if (code & kAdminKeyExpiring) {
    adminKeyDaysLeft = nolm.NolmDaysLeftA ? nolm.NolmDaysLeftA(0) : 0;
    QELT_TRACE("NolmDaysLeftA(0) = %d", adminKeyDaysLeft);
    showExpiryWarning(code, adminKeyWarning, TextId::admin_key_expiring, adminKeyDaysLeft);
  } else if (code & kAnyWarning) {
    notifyWide(NoticeKind::kWarning, code, libraryMessageShown, TextId::expiry_caption);
  }
  lastResultCode = 0;
  return true;
}

bool refuseLongKeyPath() {
  notifyError(kCodeTooLong, TextId::key_path_too_long, kKeyNameSize - 1);
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
