#include "library_session.h"

#include "library_errors.h"
#include "nolm_library.h"
#include "notices.h"
#include "text_fields.h"
#include "trace.h"

namespace {

char workBuffer[kWorkBufferSize];
// The library keeps pointers to what it was opened with.
char dataDirectoryText[kTextBufferSize] = "";
char configurationPath[kTextBufferSize] = "";

}  // namespace

bool checkNolmDatabase(int* version) {
  if (!REQUIRE_NOLM(NolmSetBuf) || !REQUIRE_NOLM(NolmCheckDB) || !REQUIRE_NOLM(NolmGetVer) ||
      !REQUIRE_NOLM(NolmOpen))
    return false;
  nolm.NolmSetBuf(workBuffer, kWorkBufferSize);
  lastResultCode = nolm.NolmCheckDB();
  QELT_TRACE("NolmCheckDB() = %d", lastResultCode);
  if (lastResultCode != 0) {
    reportLibraryError(lastResultCode);
    return false;
  }
  *version = nolm.NolmGetVer();
  QELT_TRACE("NolmGetVer() = %d", *version);
  return true;
}

bool openNolm(const char* dataDirectory) {
  if (!copyWhole(dataDirectoryText, sizeof dataDirectoryText, dataDirectory) ||
      !joinPath(configurationPath, sizeof configurationPath, dataDirectoryText, "nolm.cfg")) {
    configurationPath[0] = '\0';
    notifyError(kCodeTooLong, TextId::config_path_too_long, kTextBufferSize - 1);
    return false;
  }
  lastResultCode = nolm.NolmOpen(configurationPath, dataDirectoryText, 0);
  QELT_TRACE("NolmOpen(\"%s\", \"%s\", 0) = %d", configurationPath, dataDirectoryText, lastResultCode);
  if (lastResultCode == 0) return true;
  reportLibraryError(lastResultCode);
  return false;
}

void closeNolm() {
  if (!REQUIRE_NOLM(NolmClose)) return;
  lastResultCode = nolm.NolmClose(0);
  QELT_TRACE("NolmClose(0) = %d", lastResultCode);
  if (lastResultCode != 0) reportLibraryError(lastResultCode);
}
