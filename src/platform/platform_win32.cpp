#include "platform.h"

#include <windows.h>

#include <cstring>

#include "trace.h"

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

namespace {

// The file version of the module's version resource (its fixed part), or
// false when it has none.
bool fileVersion(HMODULE module, DWORD (&version)[2]) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* data = loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
  if (!data) return false;
  const DWORD size = SizeofResource(module, found);
  const DWORD signature = 0xFEEF04BD;
  // VS_FIXEDFILEINFO: signature, structure version, then the file version.
  for (DWORD at = 0; at + 16 <= size; at += 4) {
    if (std::memcmp(data + at, &signature, 4) != 0) continue;
    std::memcpy(version, data + at + 8, 8);
    return true;
  }
  return false;
}

}  // namespace

void traceLoadedLibrary(LibraryHandle library) {
  if (!traceSink || !library) return;
  auto module = static_cast<HMODULE>(library);
  wchar_t path[MAX_PATH * 2] = L"";
  GetModuleFileNameW(module, path, MAX_PATH * 2);
  path[MAX_PATH * 2 - 1] = L'\0';
  DWORD version[2];
  if (fileVersion(module, version))
    traceEvent(path, "loaded, version %lu.%lu.%lu.%lu: ", version[0] >> 16, version[0] & 0xFFFF,
               version[1] >> 16, version[1] & 0xFFFF);
  else
    traceEvent(path, "loaded, no version resource: ");
}

char codeUnitToAnsi(unsigned short unit) {
  wchar_t wide = static_cast<wchar_t>(unit);
  char out = '?';
  if (WideCharToMultiByte(CP_ACP, 0, &wide, 1, &out, 1, nullptr, nullptr) != 1) return '?';
  return out;
}

}  // namespace platform
