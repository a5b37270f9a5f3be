#include "platform.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "code_pages.h"
#include "library_loading_win32.h"
#include "trace.h"

#ifndef LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR
#define LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR 0x00000100
#endif
#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace platform {

namespace {

constexpr std::size_t kPathCapacity = 1024;

// Windows 8 and later, and Windows 7 with KB2533623, know the
// LOAD_LIBRARY_SEARCH_* flags; AddDllDirectory came with them.
bool knowsSearchFlags() {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  return kernel && GetProcAddress(kernel, "AddDllDirectory");
}

// The full path of the DLL that path names. False when it does not fit.
bool fullPathOf(const wchar_t* path, wchar_t (&full)[kPathCapacity]) {
  if (std::wcspbrk(path, L"\\/:")) {
    const DWORD length = GetFullPathNameW(path, kPathCapacity, full, nullptr);
    return length > 0 && length < kPathCapacity;
  }
  const UINT length = GetSystemDirectoryW(full, kPathCapacity);
  const std::size_t name = std::wcslen(path) + 1;
  if (length == 0 || length + 1 + name > kPathCapacity) return false;
  full[length] = L'\\';
  std::memcpy(full + length + 1, path, name * sizeof *path);
  return true;
}

}  // namespace

void* loadLibraryFrom(const wchar_t* path) {
  wchar_t full[kPathCapacity];
  if (!fullPathOf(path, full)) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  // Without the flags, the altered search order still puts the DLL's own
  // folder in the place of the program's.
  const DWORD flags = knowsSearchFlags()
                          ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
                          : LOAD_WITH_ALTERED_SEARCH_PATH;
  HMODULE library = LoadLibraryExW(full, nullptr, flags);
  if (!library) {
    // The caller reports the load's own error, whatever writing the log did.
    const DWORD error = GetLastError();
    QELT_TRACE_WITH(full, "not loaded, error %lu: ", error);
    SetLastError(error);
  }
  return library;
}

LibraryHandle loadLibrary(const char* path) {
  wchar_t wide[kPathCapacity];
  if (!toWide(path, CodePage::kUtf8, wide, kPathCapacity)) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  return loadLibraryFrom(wide);
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
