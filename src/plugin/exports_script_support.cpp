// LastError, Quiet, SaveKeyRequest: what unattended installers need to act on
// failure without a user; Log: what support needs to look into one.
#include "export_frame.h"
#include "format_text.h"
#include "host_text.h"
#include "key_generation.h"
#include "last_failure.h"
#include "notices.h"
#include "scratch_text.h"
#include "support_log.h"

namespace {

// Pushes the last failure's text, then its code: "0" and "" after a success.
void lastError(HWND) {
  pushDisplayText(lastFailureText());
  char code[16];
  formatText(code, sizeof code, "%d", lastFailureCode());
  pushLibraryText(code);
}

// Pops "1" (no message boxes from now on) or "0" (as before).
void quiet(HWND) {
  Scratch value;
  if (popLibraryText(value.text, Scratch::kSize) == TextRead::kOk)
    setQuiet(value.text[0] == '1' && value.text[1] == '\0');
}

// Pops a path and writes the request of the last KeyGenCC there.
void saveKeyRequest(HWND) {
  writeLibraryText(VAR_0, "");
  WideScratch path;
  if (popWide(path.text, WideScratch::kSize) != TextRead::kOk) return;
  if (!hasKeyRequest()) {
    notifyError(kCodeNoRequest, TextId::no_key_request);
    return;
  }
  if (writeKeyRequest(path.text)) writeLibraryText(VAR_0, "1");
}

// Pops a path: the support log is appended there from now on; "" ends it.
// $0 "1" when done, "" when the file cannot be written (the log is then off).
void log(HWND) {
  writeLibraryText(VAR_0, "");
  WideScratch path;
  TextRead read = popWide(path.text, WideScratch::kSize);
  if (read == TextRead::kMissing) return;
  const bool ok = read == TextRead::kOk;
  if (openSupportLog(ok ? path.text : L"") && ok) writeLibraryText(VAR_0, "1");
}

}  // namespace

QELT_EXPORT(LastError, lastError, LastFailure::kKeep, 0, kKeepsFlag)
QELT_EXPORT(Quiet, quiet, LastFailure::kKeep, 0, kClearsFlag)
QELT_EXPORT(Log, log, LastFailure::kKeep, 0, succeedsWhen(VAR_0, "1"))
QELT_PLUGIN_EXPORT(SaveKeyRequest, saveKeyRequest, succeedsWhen(VAR_0, "1"))
