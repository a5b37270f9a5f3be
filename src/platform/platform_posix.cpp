#include "platform.h"

#include <dlfcn.h>


namespace platform {

LibraryHandle loadLibrary(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }

void* findSymbol(LibraryHandle library, const char* name) {
  return library ? dlsym(library, name) : nullptr;
}

void freeLibrary(LibraryHandle library) {
  if (library) dlclose(library);
}

int lastLoadError() { return 0; }

// Natively only the portable code's tests run: no support log.
void traceLoadedLibrary(LibraryHandle) {}

char codeUnitToAnsi(unsigned short unit) {
  if (unit < 0x80) return static_cast<char>(unit);
  if (unit >= 0x0410 && unit <= 0x044F) return static_cast<char>(0xC0 + (unit - 0x0410));
  switch (unit) {
    case 0x0401: return static_cast<char>(0xA8);  // Ё
    case 0x0451: return static_cast<char>(0xB8);  // ё
    case 0x0404: return static_cast<char>(0xAA);  // Є
    case 0x0454: return static_cast<char>(0xBA);  // є
    case 0x0406: return static_cast<char>(0xB2);  // І
    case 0x0456: return static_cast<char>(0xB3);  // і
    case 0x0407: return static_cast<char>(0xAF);  // Ї
    case 0x0457: return static_cast<char>(0xBF);  // ї
    case 0x0490: return static_cast<char>(0xA5);  // Ґ
    case 0x0491: return static_cast<char>(0xB4);  // ґ
    default: return '?';
  }
}

}  // namespace platform
