// KeyGenCC, KeyGenFile: generating a key on the card or into a key folder.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include "format_text.h"
#include <cstring>

#include "export_guard.h"
#include "host_context.h"
#include "key_name.h"
#include "library_errors.h"
#include "message_boxes.h"
#include "nolm_library.h"
#include "random_text.h"
#include "shared_buffers.h"
#include "text_fields.h"

namespace {

constexpr int kRequestFileSize = 174;
char requestBuffer[kTextBufferSize];

bool takeRandomText(char (&random)[kRandomTextSize]) {
  if (makeRandomText(random)) return true;
  showError("Помилка генерації ключа.\nНе вдалося отримати випадкові дані від системи.");
  return false;
}

// The request file path: the directory text of $3, the first 8 characters of
// the key name, ".req". False when it would not fit in $3.
bool requestFilePath(char* out, std::size_t capacity) {
  return formatText(out, capacity, "%s%.8s.req", getVariable(VAR_3), keyPathBuffer) &&
         std::strlen(out) < static_cast<std::size_t>(hostContext.stringSize);
}

void writeRequestFile(const char* path) {
  int file = -1;
  if (_sopen_s(&file, path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _SH_DENYRW,
               _S_IREAD | _S_IWRITE) != 0 ||
      file < 0) {
    formatText(messageBuffer, sizeof messageBuffer, "Помилка відкриття для запису файлу: %s",
                  path);
    showError(messageBuffer);
    return;
  }
  int written = _write(file, requestBuffer, kRequestFileSize);
  if (_close(file) != 0 || written != kRequestFileSize) {
    formatText(messageBuffer, sizeof messageBuffer, "Помилка запису файлу: %s", path);
    showError(messageBuffer);
  }
}

void generateOnCard() {
  setVariable(VAR_0, "");
  std::memset(requestBuffer, 0, sizeof requestBuffer);
  if (!REQUIRE_NOLM(KeyGenXCC) || !getVariable(VAR_3) || !takeKeyName("Помилка генерації ключа."))
    return;
  // Refuse before generating: a key whose request cannot be stored is lost.
  char path[kTextBufferSize];
  if (!requestFilePath(path, sizeof path)) {
    formatText(messageBuffer, sizeof messageBuffer,
                  "Помилка генерації ключа.\nШлях до файлу запиту задовгий.");
    showError(messageBuffer);
    return;
  }
  char random[kRandomTextSize];
  if (!takeRandomText(random)) return;
  fillPasswordField(passwordField, getVariable(VAR_2));
  lastResultCode = nolm.KeyGenXCC(keyPathBuffer, requestBuffer, passwordField, random, 0,
                                  currentReaderName);
  wipeSecret(passwordField, sizeof passwordField);
  wipeSecret(random, sizeof random);
  if (lastResultCode != 0) {
    reportLibraryError(lastResultCode);
    return;
  }
  setVariable(VAR_3, path);
  writeRequestFile(path);
  setVariable(VAR_0, "1");
}

void generateIntoFolder() {
  setVariable(VAR_0, "");
  if (!REQUIRE_NOLM(NolmSetFmode) || !REQUIRE_NOLM(KeyGenX) || !getVariable(VAR_3) ||
      !takeKeyName("Помилка генерації ключа."))
    return;
  fillPasswordField(passwordField, getVariable(VAR_2));
  nolm.NolmSetFmode(0, 0);
  char random[kRandomTextSize];
  if (!takeRandomText(random)) {
    wipeSecret(passwordField, sizeof passwordField);
    return;
  }
  lastResultCode = nolm.KeyGenX(keyPathBuffer, getVariable(VAR_3), passwordField, random, 0);
  wipeSecret(passwordField, sizeof passwordField);
  wipeSecret(random, sizeof random);
  if (lastResultCode != 0) {
    reportLibraryError(lastResultCode);
    return;
  }
  setVariable(VAR_0, "1");
}

}  // namespace

QELT_EXPORT(KeyGenCC) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(generateOnCard);
}

QELT_EXPORT(KeyGenFile) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(generateIntoFolder);
}
