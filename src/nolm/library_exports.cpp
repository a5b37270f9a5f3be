// InitNolm, FreeNolm.
#include "export_guard.h"
#include "host_context.h"
#include "nolm_library.h"

QELT_EXPORT(InitNolm) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport([] {
    setVariable(VAR_0, "");
    const char* directory = getVariable(VAR_R0);
    if (directory && loadNolmLibrary(directory)) setVariable(VAR_0, "1");
  });
}

QELT_EXPORT(FreeNolm) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport([] { freeNolmLibrary(); });
}
