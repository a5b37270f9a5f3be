#include "machine.h"

#include <windows.h>

#include "files.h"

bool isElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation = {};
  DWORD size = 0;
  bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                  elevation.TokenIsElevated;
  CloseHandle(token);
  return elevated;
}

std::wstring systemDirectory() {
  wchar_t folder[MAX_PATH] = L"";
  UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return length && length < MAX_PATH ? folder : L"C:\\Windows\\System32";
}

std::wstring environment(const wchar_t* name) {
  DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
  if (length <= 1) return {};
  std::wstring value(length, L'\0');
  length = GetEnvironmentVariableW(name, &value[0], length);
  value.resize(length);
  return value;
}

std::string architectureOf(const std::wstring& file) {
  std::string bytes;
  if (!readFile(file, &bytes) || bytes.size() < 0x40 || bytes.compare(0, 2, "MZ") != 0) return {};
  unsigned long header = 0;
  for (int i = 3; i >= 0; --i) header = header << 8 | static_cast<unsigned char>(bytes[0x3C + i]);
  if (header + 6 > bytes.size() || bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0) return {};
  unsigned machine = static_cast<unsigned char>(bytes[header + 4]) | static_cast<unsigned char>(bytes[header + 5]) << 8;
  return machine == 0x014C ? "x86" : machine == 0x8664 ? "amd64" : "";
}

bool isWindowsProgram(const std::wstring& file) {
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  char mark[2] = {};
  DWORD read = 0;
  bool program = ReadFile(handle, mark, 2, &read, nullptr) && read == 2 && mark[0] == 'M' && mark[1] == 'Z';
  CloseHandle(handle);
  return program;
}

std::wstring installedMakensis() {
  // NSIS's installer is a 32-bit program: its key is in the 32-bit view.
  wchar_t folder[MAX_PATH + 1] = L"";
  DWORD size = sizeof folder - sizeof *folder, type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\NSIS", 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) == ERROR_SUCCESS) {
    bool found = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(folder), &size) == ERROR_SUCCESS &&
                 type == REG_SZ;
    RegCloseKey(key);
    if (found && fileExists(joinPath(folder, L"makensis.exe"))) return joinPath(folder, L"makensis.exe");
  }
  // PATH only, never the current folder.
  std::wstring path = environment(L"PATH");
  for (size_t start = 0; start <= path.size();) {
    size_t end = path.find(L';', start);
    if (end == std::wstring::npos) end = path.size();
    std::wstring entry = path.substr(start, end - start);
    start = end + 1;
    if (entry.size() >= 2 && entry.front() == L'"' && entry.back() == L'"') entry = entry.substr(1, entry.size() - 2);
    if (entry.empty()) continue;
    for (const wchar_t* name : {L"makensis.exe", L"makensis"})
      if (fileExists(joinPath(entry, name))) return joinPath(entry, name);
  }
  return {};
}
