/* A DLL planted where no DLL of the plug-in's may come from: beside the
   program, in the current directory, on PATH. Loaded, it leaves a mark,
   <its own path>.ran, as any code of an attacker's would run, and answers
   what the stand-in library imports from its support DLL, so that a load
   shows only through the mark. */
#include <windows.h>

__declspec(dllexport) int StandinSupport(void) { return 0; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH + 8];
    DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      lstrcpynW(path + length, L".ran", 5);
      HANDLE mark = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
      if (mark != INVALID_HANDLE_VALUE) CloseHandle(mark);
    }
  }
  return TRUE;
}
