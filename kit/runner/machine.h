// What a run needs to know about the machine it runs on.
#pragma once

#include <string>

bool isElevated();
// Where Windows looks for the token module (redirected for 32-bit programs
// on 64-bit Windows).
std::wstring systemDirectory();
// An environment variable; empty when unset.
std::wstring environment(const wchar_t* name);
// "x86" or "amd64" from a program's or DLL's header; empty when neither.
std::string architectureOf(const std::wstring& file);
bool isWindowsProgram(const std::wstring& file);
// makensis.exe of the NSIS installed on the machine (the registry), else
// the first makensis.exe (or, under Wine, makensis) on PATH; empty if none.
std::wstring installedMakensis();
