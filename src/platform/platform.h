// The few operating-system services the portable code needs. Portable code
// includes this header and never windows.h or dlfcn.h.
#pragma once

#include <cstddef>

namespace platform {

using LibraryHandle = void*;

// Loads a shared library: path is its full path (UTF-8), or on Windows a
// bare file name for a DLL of the system directory, where drivers install
// theirs. On Windows nothing is searched for: the DLL comes from that one
// place, and what it imports from its own folder or the system directory,
// never from the program's folder, the current directory or PATH, whatever
// the process's own DLL search. Null on failure; lastLoadError() then tells
// why.
LibraryHandle loadLibrary(const char* path);
void* findSymbol(LibraryHandle library, const char* name);
void freeLibrary(LibraryHandle library);
// The system's error code of the last failed loadLibrary (GetLastError on
// Windows; 0 where the system has no numeric code).
int lastLoadError();
// Tells the support log which file a loaded library came from and the file
// version its version resource gives.
void traceLoadedLibrary(LibraryHandle library);

// Converts one UTF-16 code unit into one byte of the ANSI code page (on
// Windows WideCharToMultiByte with CP_ACP: the system's default character
// stands for an unmappable unit). Natively the code page is taken to be
// Windows-1251, with '?' for units outside it.
char codeUnitToAnsi(unsigned short unit);

}  // namespace platform
