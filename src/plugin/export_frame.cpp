#include "export_frame.h"

#include "host_context.h"
#include "last_failure.h"
#include "notices.h"

void runExport(ExportBody body, LastFailure lastFailure, HWND parent, int stringSize,
               HostChar* variables, stack_t** stackTop, extra_parameters* extra) noexcept {
  setupHostContext(stringSize, variables, stackTop, extra);
  setNoticeSink(receiveNotice);
  if (lastFailure == LastFailure::kForget) forgetLastFailure();
  try {
    body(parent);
  } catch (...) {
  }
}
