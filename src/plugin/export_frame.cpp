#include "export_frame.h"

#include "host_context.h"
#include "message_boxes.h"
#include "notices.h"

void runExport(ExportBody body, HWND parent, int stringSize, HostChar* variables,
               stack_t** stackTop, extra_parameters* extra) noexcept {
  setupHostContext(stringSize, variables, stackTop, extra);
  setNoticeSink(showNoticeBox);
  try {
    body(parent);
  } catch (...) {
  }
}
