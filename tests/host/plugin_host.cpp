#include "plugin_host.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<RecordedMessageBox> recordedBoxes;
int messageBoxAnswer = IDOK;
int registrations = 0;
HMODULE lastRegisteredModule = nullptr;

int WINAPI recordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  recordedBoxes.push_back({owner != nullptr, text ? text : "", caption != nullptr,
                           caption ? caption : "", type});
  return messageBoxAnswer;
}

int __stdcall recordRegistration(HMODULE module, NSISPLUGINCALLBACK) {
  ++registrations;
  lastRegisteredModule = module;
  return registrations == 1 ? 0 : 1;
}

// Points the module's import of user32!MessageBoxA at our recorder.
bool hookMessageBox(HMODULE module) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!dir.VirtualAddress) return false;
  bool hooked = false;
  for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
       desc->Name; ++desc) {
    if (_stricmp(reinterpret_cast<char*>(base + desc->Name), "user32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<char*>(byName->Name), "MessageBoxA") != 0) continue;
      DWORD old;
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &old);
      slots->u1.Function = reinterpret_cast<DWORD_PTR>(&recordMessageBox);
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), old, &old);
      hooked = true;
    }
  }
  return hooked;
}

}  // namespace

PluginHost::PluginHost(int stringSize, const char* dllPath)
    : stringSize_(stringSize),
      block_(static_cast<size_t>(kGuardSize * 2 + stringSize * 25), 0) {
  std::memset(block_.data(), kGuardByte, kGuardSize);
  std::memset(block_.data() + kGuardSize + stringSize * 25, kGuardByte, kGuardSize);
  recordedBoxes.clear();
  messageBoxAnswer = IDOK;
  registrations = 0;
  lastRegisteredModule = nullptr;
  extra_.RegisterPluginCallback = &recordRegistration;
  std::string path = dllPath ? dllPath : pluginDllPath();
  module_ = LoadLibraryA(path.c_str());
  if (!module_) {
    ADD_FAILURE() << "cannot load " << path << ": error " << GetLastError();
    return;
  }
  // A DLL that shows no message box at all does not import MessageBoxA yet.
  hookMessageBox(module_);
}

PluginHost::~PluginHost() {
  clearStack();
  if (module_) FreeLibrary(module_);
}

void PluginHost::call(const char* exportName, HWND parent) {
  ASSERT_NE(module_, nullptr);
  using Export = void(__cdecl*)(HWND, int, char*, stack_t**, extra_parameters*);
  auto fn = reinterpret_cast<Export>(GetProcAddress(module_, exportName));
  ASSERT_NE(fn, nullptr) << "no export " << exportName;
  fn(parent, stringSize_, block_.data() + kGuardSize, &top_, &extra_);
  EXPECT_TRUE(guardsIntact()) << exportName << " wrote past the variables block";
  for (stack_t* e = top_; e; e = e->next) {
    EXPECT_GE(GlobalSize(e), static_cast<SIZE_T>(stringSize_ + 8)) << "short stack entry";
    EXPECT_LT(strnlen(e->text, static_cast<size_t>(stringSize_)), static_cast<size_t>(stringSize_))
        << "stack entry without terminator";
  }
}

const char* PluginHost::rawVar(int index) const {
  return block_.data() + kGuardSize + static_cast<size_t>(index) * stringSize_;
}

std::string PluginHost::var(int index) const {
  const char* v = rawVar(index);
  return std::string(v, strnlen(v, static_cast<size_t>(stringSize_)));
}

void PluginHost::setVar(int index, const std::string& text) {
  char* v = block_.data() + kGuardSize + static_cast<size_t>(index) * stringSize_;
  size_t length = std::min(text.size(), static_cast<size_t>(stringSize_ - 1));
  std::memcpy(v, text.data(), length);
  v[length] = '\0';
}

void PluginHost::push(const std::string& text) {
  auto* e = static_cast<stack_t*>(GlobalAlloc(GPTR, static_cast<SIZE_T>(stringSize_ + 8)));
  size_t length = std::min(text.size(), static_cast<size_t>(stringSize_ - 1));
  std::memcpy(e->text, text.data(), length);
  e->text[length] = '\0';
  e->next = top_;
  top_ = e;
}

bool PluginHost::pop(std::string* text) {
  if (!top_) return false;
  stack_t* e = top_;
  if (text) *text = std::string(e->text, strnlen(e->text, static_cast<size_t>(stringSize_)));
  top_ = e->next;
  GlobalFree(e);
  return true;
}

std::vector<std::string> PluginHost::stack() const {
  std::vector<std::string> entries;
  for (stack_t* e = top_; e; e = e->next)
    entries.emplace_back(e->text, strnlen(e->text, static_cast<size_t>(stringSize_)));
  return entries;
}

void PluginHost::clearStack() {
  while (pop(nullptr)) {
  }
}

void PluginHost::setMessageBoxAnswer(int answer) { messageBoxAnswer = answer; }
std::vector<RecordedMessageBox>& PluginHost::messageBoxes() { return recordedBoxes; }
int PluginHost::callbackRegistrations() const { return registrations; }
HMODULE PluginHost::registeredModule() const { return lastRegisteredModule; }

bool PluginHost::guardsIntact() const {
  const unsigned char* front = reinterpret_cast<const unsigned char*>(block_.data());
  const unsigned char* back = front + kGuardSize + stringSize_ * 25;
  for (int i = 0; i < kGuardSize; ++i)
    if (front[i] != kGuardByte || back[i] != kGuardByte) return false;
  return true;
}

std::string pluginDllPath() { return QELT_PLUGIN_DLL; }

std::string nolmStandinDirectory(const char* set) {
  return std::string(QELT_NOLM_STANDIN_DIR) + set + "\\";
}
