// The key files of a folder, read with the wide file functions so that any
// folder name works.
#pragma once

using KeyFileVisitor = void (*)(const wchar_t* name, void* context);

// Calls visit with the first 8 characters of every name in folder whose
// extension is exactly "KEY" (a name without a dot must be "KEY" itself;
// names starting with a dot are skipped). The number of names visited.
int listKeyFolder(const wchar_t* folder, KeyFileVisitor visit, void* context);
