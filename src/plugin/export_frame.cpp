#include "export_frame.h"

#include <cstring>

#include "format_text.h"
#include "host_context.h"
#include "language_choice.h"
#include "last_failure.h"
#include "notices.h"
#include "support_log.h"
#include "trace.h"

namespace {

void runBody(ExportBody body, HWND parent) {
  try {
    body(parent);
  } catch (...) {
  }
}

bool hostTextIs(const HostChar* text, const char* value) {
  if (!text) return false;
  std::size_t i = 0;
  for (; value[i]; ++i)
    if (text[i] != static_cast<unsigned char>(value[i])) return false;
  return text[i] == 0;
}

// Whether NSIS's error flag is set after the macro: "set", "clear" or "kept".
const char* errorFlag(const MacroVerdict& verdict) {
  if (verdict.output == kFlagCleared) return "clear";
  if (verdict.output == kFlagKept) return "as before";
  bool equal = false;
  if (verdict.output == kLastErrorCode) {
    char code[16];
    formatText(code, sizeof code, "%d", lastFailureCode());
    equal = std::strcmp(code, verdict.value) == 0;
  } else if (verdict.output == kPushedLast) {
    // Nothing pushed: the macro finds no answer, which it takes as a failure.
    if (pushedEntries() == 0) return "set";
    equal = hostTextIs((*hostContext.stackTop)->text, verdict.value);
  } else {
    equal = hostTextIs(variableSlot(verdict.output), verdict.value);
  }
  return equal == verdict.failsWhenEqual ? "set" : "clear";
}

void logEnd(const ExportInfo& info, DWORD began) {
  wchar_t text[2300];
  formatNotice(text, sizeof text / sizeof *text, "< %hs: error flag %hs, LastError %d \"%ls\" (%lu ms)",
               info.name, errorFlag(info.verdict), lastFailureCode(), lastFailureText(),
               static_cast<unsigned long>(GetTickCount() - began));
  logLine(text);
}

}  // namespace

void runExport(const ExportInfo& info, HWND parent, int stringSize, HostChar* variables,
               stack_t** stackTop, extra_parameters* extra) noexcept {
  const bool firstCall = !hostContext.setUp;
  setupHostContext(stringSize, variables, stackTop, extra);
  if (firstCall) openLogFromEnvironment();
  setNoticeSink(receiveNotice);
  setSecretVariables(info.secretVariables);
  if (info.lastFailure == LastFailure::kForget) forgetLastFailure();
  if (!traceSink) {
    followInstallerLanguage();
    runBody(info.body, parent);
    // The command may have opened the log (Log).
    if (traceSink) logEnd(info, GetTickCount());
    return;
  }
  const DWORD began = GetTickCount();
  wchar_t text[64];
  formatNotice(text, 64, "> %hs", info.name);
  logLine(text);
  forgetPushedEntries();
  followInstallerLanguage();
  runBody(info.body, parent);
  if (traceSink) logEnd(info, began);
}
