#include "reader_list.h"

#include <windows.h>

#include <cstring>

namespace {

char* readers[kMostReaders];
int count = 0;

}  // namespace

void clearReaderList() {
  for (int i = 0; i < count; ++i) HeapFree(GetProcessHeap(), 0, readers[i]);
  count = 0;
}

bool appendReader(const char* name) {
  if (count == kMostReaders) return false;
  std::size_t size = std::strlen(name) + 1;
  auto* copy = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size));
  if (!copy) return false;
  std::memcpy(copy, name, size);
  readers[count++] = copy;
  return true;
}

int readerCount() { return count; }

const char* readerAt(int index) { return index >= 0 && index < count ? readers[index] : nullptr; }
