// OpenNolm, CloseNolm: opening the library with its configuration.
#include "format_text.h"

#include "export_guard.h"
#include "host_context.h"
#include "library_errors.h"
#include "message_boxes.h"
#include "nolm_library.h"
#include "text_fields.h"

namespace {

char workBuffer[kWorkBufferSize];
char dataDirectory[kTextBufferSize] = "";
char configurationPath[kTextBufferSize] = "";

void openLibrary() {
  setVariable(VAR_0, "");
  setVariable(VAR_1, "");
  if (!REQUIRE_NOLM(NolmSetBuf) || !REQUIRE_NOLM(NolmCheckDB) || !REQUIRE_NOLM(NolmGetVer) ||
      !REQUIRE_NOLM(NolmOpen))
    return;
  nolm.NolmSetBuf(workBuffer, kWorkBufferSize);
  lastResultCode = nolm.NolmCheckDB();
  if (lastResultCode != 0) {
    reportLibraryError(lastResultCode);
    return;
  }
  formatText(messageBuffer, sizeof messageBuffer, "Версія біблотеки НОЛМ - %d",
                nolm.NolmGetVer());
  setVariable(VAR_1, messageBuffer);

  popStackString(dataDirectory, sizeof dataDirectory);
  if (!joinPath(configurationPath, sizeof configurationPath, dataDirectory, "nolm.cfg")) {
    configurationPath[0] = '\0';
    formatText(messageBuffer, sizeof messageBuffer,
                  "Помилка відкриття бібліотеки НОЛМ.\n"
                  "Шлях до файлу nolm.cfg довший за %d символи.",
                  kTextBufferSize - 1);
    showError(messageBuffer);
    return;
  }
  lastResultCode = nolm.NolmOpen(configurationPath, dataDirectory, 0);
  if (lastResultCode == 0)
    setVariable(VAR_0, "1");
  else
    reportLibraryError(lastResultCode);
}

void closeLibrary() {
  if (!REQUIRE_NOLM(NolmClose)) return;
  lastResultCode = nolm.NolmClose(0);
  if (lastResultCode != 0) reportLibraryError(lastResultCode);
}

}  // namespace

QELT_EXPORT(OpenNolm) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(openLibrary);
}

QELT_EXPORT(CloseNolm) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(closeLibrary);
}
