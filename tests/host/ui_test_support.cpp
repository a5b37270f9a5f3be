#include "ui_test_support.h"

#include <algorithm>
#include <cstring>

bool haveDisplay() {
  char value[64] = "";
  return GetEnvironmentVariableA("DISPLAY", value, sizeof value) > 0;
}

bool moduleMemoryHolds(HMODULE module, const std::string& text) {
  auto* base = reinterpret_cast<const BYTE*>(module);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    if (!(section->Characteristics & IMAGE_SCN_MEM_WRITE)) continue;
    const char* start = reinterpret_cast<const char*>(base + section->VirtualAddress);
    const char* end = start + section->Misc.VirtualSize;
    if (std::search(start, end, text.begin(), text.end()) != end) return true;
  }
  return false;
}

OwnerWindow::OwnerWindow()
    : window_(CreateWindowExA(0, "STATIC", "Installer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                              200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}

OwnerWindow::~OwnerWindow() { DestroyWindow(window_); }
