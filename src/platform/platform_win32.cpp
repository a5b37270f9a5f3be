#include "platform.h"

#include <windows.h>


namespace platform {

LibraryHandle loadLibrary(const char* path) {
  return reinterpret_cast<LibraryHandle>(LoadLibraryA(path));
}

void* findSymbol(LibraryHandle library, const char* name) {
  if (!library) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void freeLibrary(LibraryHandle library) {
  if (library) FreeLibrary(static_cast<HMODULE>(library));
}

int lastLoadError() { return static_cast<int>(GetLastError()); }

char codeUnitToAnsi(unsigned short unit) {
  wchar_t wide = static_cast<wchar_t>(unit);
  char out = '?';
  if (WideCharToMultiByte(CP_ACP, 0, &wide, 1, &out, 1, nullptr, nullptr) != 1) return '?';
  return out;
}

}  // namespace platform
