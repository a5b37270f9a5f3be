// GetCertFirstInfo, GetCertNextInfo: the library's certificates, a line at a
// time onto the stack.
#include "certificate_listing.h"
#include "export_frame.h"
#include "host_text.h"
#include "nolm_api.h"
#include "scratch_text.h"

namespace {

void getCertFirstInfo(HWND) {
  Scratch first, second;
  if (readLibraryText(VAR_R1, first.text, Scratch::kSize) == TextRead::kRefused ||
      readLibraryText(VAR_R2, second.text, Scratch::kSize) == TextRead::kRefused)
    return;
  char line[kTextBufferSize];
  if (firstCertificateLine(first.text, second.text, line, sizeof line)) pushLibraryText(line);
}

void getCertNextInfo(HWND) {
  Scratch excluded;
  wchar_t line[kTextBufferSize];
  // "end" stops the script's loop, also when the id cannot be read.
  if (readLibraryText(VAR_R0, excluded.text, Scratch::kSize) == TextRead::kRefused ||
      !nextCertificateLine(excluded.text, line, kTextBufferSize)) {
    pushLibraryText("end");
    return;
  }
  pushDisplayText(line);
}

}  // namespace

QELT_PLUGIN_EXPORT(GetCertFirstInfo, getCertFirstInfo, failsWhen(kPushedLast, ""))
QELT_PLUGIN_EXPORT(GetCertNextInfo, getCertNextInfo, failsWhen(kPushedLast, "end"))
