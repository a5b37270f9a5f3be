#include "key_generation.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <cstring>

#include "key_name.h"
#include "library_errors.h"
#include "nolm_library.h"
#include "notices.h"
#include "random_text.h"
#include "shared_buffers.h"
#include "text_fields.h"
#include "trace.h"

namespace {

// The library writes the request here; larger than a request, as it was
// always given.
char requestBuffer[kTextBufferSize];
bool requestKept = false;

bool takeRandomText(char (&random)[kRandomTextSize]) {
  if (makeRandomText(random)) return true;
  notifyError(kCodeNoRandom, TextId::no_random_data);
  return false;
}

void showFileError(TextId what, const wchar_t* path) { notifyError(kCodeRequestUnsaved, what, path); }

}  // namespace

bool hasKeyRequest() { return requestKept; }

void forgetKeyRequest() {
  std::memset(requestBuffer, 0, sizeof requestBuffer);
  requestKept = false;
}

bool prepareCardKeyGeneration(const char* keyName) {
  forgetKeyRequest();
  return REQUIRE_NOLM(KeyGenXCC) && takeKeyName(keyName, TextId::key_name_too_long_generation);
}

bool generateKeyOnCard(const char* password) {
  char random[kRandomTextSize];
  if (!takeRandomText(random)) return false;
  fillPasswordField(passwordField, password);
  lastResultCode = nolm.KeyGenXCC(keyPathBuffer, requestBuffer, passwordField, random, 0,
                                  currentReaderName);
  QELT_TRACE("KeyGenXCC(\"%s\", request, ***, random ***, 0, \"%s\") = %d", keyPathBuffer,
             currentReaderName, lastResultCode);
  wipeSecret(passwordField, sizeof passwordField);
  wipeSecret(random, sizeof random);
  requestKept = lastResultCode == 0;
  if (requestKept) return true;
  reportLibraryError(lastResultCode);
  return false;
}

bool writeKeyRequest(const wchar_t* path) {
  int file = -1;
  if (_wsopen_s(&file, path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _SH_DENYRW,
                _S_IREAD | _S_IWRITE) != 0 ||
      file < 0) {
    showFileError(TextId::file_not_opened, path);
    return false;
  }
  int written = _write(file, requestBuffer, kKeyRequestSize);
  const bool closed = _close(file) == 0;
  QELT_TRACE_WITH(path, "request of %d bytes, %d written: ", kKeyRequestSize, written);
  if (!closed || written != kKeyRequestSize) {
    showFileError(TextId::file_not_written, path);
    return false;
  }
  return true;
}

bool generateKeyIntoFolder(const char* keyName, const char* keyDirectory, const char* password) {
  if (!REQUIRE_NOLM(NolmSetFmode) || !REQUIRE_NOLM(KeyGenX) ||
      !takeKeyName(keyName, TextId::key_name_too_long_generation))
    return false;
  fillPasswordField(passwordField, password);
  nolm.NolmSetFmode(0, 0);
  char random[kRandomTextSize];
  if (!takeRandomText(random)) {
    wipeSecret(passwordField, sizeof passwordField);
    return false;
  }
  lastResultCode = nolm.KeyGenX(keyPathBuffer, keyDirectory, passwordField, random, 0);
  QELT_TRACE("NolmSetFmode(0, 0); KeyGenX(\"%s\", \"%s\", ***, random ***, 0) = %d", keyPathBuffer,
             keyDirectory, lastResultCode);
  wipeSecret(passwordField, sizeof passwordField);
  wipeSecret(random, sizeof random);
  if (lastResultCode == 0) return true;
  reportLibraryError(lastResultCode);
  return false;
}
