// The card readers found by the last CheckToken, in the order found.
#pragma once

// More readers than this are not looked for: a library that never ends its
// enumeration cannot hang the installer.
constexpr int kMostReaders = 256;

void clearReaderList();
// Keeps a copy of name; false when the list is full or memory ran out.
bool appendReader(const char* name);
int readerCount();
// Null outside 0 .. readerCount() - 1.
const char* readerAt(int index);
