// Where a Windows DLL is loaded from: only the place named, whatever the
// process's own DLL search (an old installer stub or a launcher may leave the
// program's folder, the current directory and PATH in it).
#pragma once

namespace platform {

// Loads the DLL named by path: a bare file name is a DLL of the system
// directory, where drivers install theirs; a relative path is taken from the
// current directory. What the DLL imports is searched for only in its own
// folder and the system directory (LOAD_LIBRARY_SEARCH_* where Windows has
// them, LOAD_WITH_ALTERED_SEARCH_PATH where it does not). Null on failure,
// with GetLastError set; the support log is told the full path tried.
void* loadLibraryFrom(const wchar_t* path);

}  // namespace platform
