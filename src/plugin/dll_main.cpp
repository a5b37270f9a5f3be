#include "host_context.h"
#include "support_log.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  moduleInstance = instance;
  if (reason == DLL_PROCESS_ATTACH) readLogEnvironment();
  return TRUE;
}
