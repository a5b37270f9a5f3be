// qelt-run-limited: runs a command with the limited token that belongs to
// this process's elevated one, as a program started from a prompt that was
// not opened "as administrator" runs. Exits with the command's exit code.
//
//   qelt-run-limited.exe <program> [arguments...]
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t**) {
  if (argc < 2) return 250;
  HANDLE token = nullptr;
  TOKEN_LINKED_TOKEN linked = {};
  DWORD size = 0;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) ||
      !GetTokenInformation(token, TokenLinkedToken, &linked, sizeof linked, &size))
    return 251;
  // The rest of this program's own command line, as it was typed.
  const wchar_t* rest = GetCommandLineW();
  bool quoted = false;
  while (*rest && (quoted || (*rest != L' ' && *rest != L'\t'))) quoted ^= *rest++ == L'"';
  while (*rest == L' ' || *rest == L'\t') ++rest;
  std::wstring command = rest;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessAsUserW(linked.LinkedToken, nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process))
    return 252;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  return static_cast<int>(code);
}
