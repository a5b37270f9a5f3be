#include "plugin_host.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

std::vector<RecordedMessageBox> recordedBoxes;
int messageBoxAnswer = IDOK;
int registrations = 0;
HMODULE lastRegisteredModule = nullptr;

int WINAPI recordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  recordedBoxes.push_back({owner != nullptr, text ? text : "", caption != nullptr,
                           caption ? caption : "", type, false, L""});
  return messageBoxAnswer;
}

int WINAPI recordMessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  recordedBoxes.push_back({owner != nullptr, wideTo1251(text ? text : L""), caption != nullptr,
                           wideTo1251(caption ? caption : L""), type, true,
                           text ? text : L""});
  return messageBoxAnswer;
}

int __stdcall recordRegistration(HMODULE module, HostPluginCallback) {
  ++registrations;
  lastRegisteredModule = module;
  return registrations == 1 ? 0 : 1;
}

// Points the module's imports of user32!MessageBoxA and W at our recorders.
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
      const char* name = reinterpret_cast<char*>(byName->Name);
      DWORD_PTR recorder = 0;
      if (std::strcmp(name, "MessageBoxA") == 0)
        recorder = reinterpret_cast<DWORD_PTR>(&recordMessageBox);
      else if (std::strcmp(name, "MessageBoxW") == 0)
        recorder = reinterpret_cast<DWORD_PTR>(&recordMessageBoxW);
      else
        continue;
      DWORD old;
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &old);
      slots->u1.Function = recorder;
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), old, &old);
      hooked = true;
    }
  }
  return hooked;
}

}  // namespace

Flavour testFlavour() {
  const char* flavour = std::getenv("QELT_FLAVOUR");
  return flavour && std::strcmp(flavour, "unicode") == 0 ? Flavour::kUnicode : Flavour::kAnsi;
}

const char* flavourName() { return testFlavour() == Flavour::kUnicode ? "unicode" : "ansi"; }

std::string wideTo1251(const std::wstring& text) {
  if (text.empty()) return "";
  std::string out(text.size() * 2 + 1, '\0');
  int n = WideCharToMultiByte(1251, 0, text.c_str(), static_cast<int>(text.size()), &out[0],
                              static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

std::wstring wideFrom1251(const std::string& text) {
  if (text.empty()) return L"";
  std::wstring out(text.size() + 1, L'\0');
  int n = MultiByteToWideChar(1251, 0, text.c_str(), static_cast<int>(text.size()), &out[0],
                              static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

Failure lastError(PluginHost& host) {
  host.call("LastError");
  Failure failure;
  EXPECT_TRUE(host.pop(&failure.code));
  EXPECT_TRUE(host.pop(&failure.text));
  return failure;
}

std::string systemDirectory() {
  char directory[MAX_PATH];
  const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
  return std::string(directory, length < MAX_PATH ? length : 0) + "\\";
}

// The machine has the token driver: its module lies in the system directory,
// the one place the plug-in takes it from.
void installTokenModule() {
  static bool installed = false;
  if (installed) return;
  const std::string module = std::string(QELT_TOKEN_STANDIN_DIR) + "\\Av337CryptokiD.dll";
  const std::string target = systemDirectory() + "Av337CryptokiD.dll";
  installed = CopyFileA(module.c_str(), target.c_str(), FALSE) != 0;
  if (!installed) ADD_FAILURE() << "cannot put " << module << " into " << target << ": " << GetLastError();
}

PluginHost::PluginHost(int stringSize, const char* dllPath)
    : stringSize_(stringSize),
      unicode_(testFlavour() == Flavour::kUnicode),
      block_(static_cast<size_t>(kGuardSize * 2 + stringSize * 25 * (unicode_ ? 2 : 1)), 0) {
  std::memset(block_.data(), kGuardByte, kGuardSize);
  std::memset(block_.data() + block_.size() - kGuardSize, kGuardByte, kGuardSize);
  recordedBoxes.clear();
  messageBoxAnswer = IDOK;
  registrations = 0;
  lastRegisteredModule = nullptr;
  extra_.registerPluginCallback = &recordRegistration;
  installTokenModule();
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
  using Export = void(__cdecl*)(HWND, int, char*, HostEntry**, HostExtraParameters*);
  auto fn = reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(module_, exportName)));
  ASSERT_NE(fn, nullptr) << "no export " << exportName;
  fn(parent, stringSize_, block_.data() + kGuardSize, &top_, &extra_);
  EXPECT_TRUE(guardsIntact()) << exportName << " wrote past the variables block";
  for (HostEntry* e = top_; e; e = e->next) {
    EXPECT_GE(GlobalSize(e), sizeof(HostEntry*) + stringSize_ * unit()) << "short stack entry";
    size_t length = 0;
    while (length < static_cast<size_t>(stringSize_) &&
           (unicode_ ? reinterpret_cast<const wchar_t*>(e->text)[length] : e->text[length]))
      ++length;
    EXPECT_LT(length, static_cast<size_t>(stringSize_)) << "stack entry without terminator";
  }
}

char* PluginHost::variable(int index) const {
  return block_.data() + kGuardSize + static_cast<size_t>(index) * stringSize_ * unit();
}

std::wstring PluginHost::textWide(const char* text) const {
  if (unicode_) {
    auto* wide = reinterpret_cast<const wchar_t*>(text);
    return std::wstring(wide, wcsnlen(wide, static_cast<size_t>(stringSize_)));
  }
  std::string bytes(text, strnlen(text, static_cast<size_t>(stringSize_)));
  std::wstring out(bytes.size() + 1, L'\0');
  int n = MultiByteToWideChar(CP_ACP, 0, bytes.c_str(), static_cast<int>(bytes.size()), &out[0],
                              static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

std::string PluginHost::text1251(const char* text) const {
  if (unicode_) return wideTo1251(textWide(text));
  return std::string(text, strnlen(text, static_cast<size_t>(stringSize_)));
}

std::string PluginHost::var(int index) const { return text1251(variable(index)); }

std::wstring PluginHost::varWide(int index) const { return textWide(variable(index)); }

void PluginHost::setVar(int index, const std::string& text) {
  if (unicode_) return setVarWide(index, wideFrom1251(text));
  char* v = variable(index);
  size_t length = std::min(text.size(), static_cast<size_t>(stringSize_ - 1));
  std::memcpy(v, text.data(), length);
  v[length] = '\0';
}

void PluginHost::setVarWide(int index, const std::wstring& text) {
  if (!unicode_) {
    std::string bytes(text.size() * 2 + 1, '\0');
    int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return setVar(index, bytes);
  }
  auto* v = reinterpret_cast<wchar_t*>(variable(index));
  size_t length = std::min(text.size(), static_cast<size_t>(stringSize_ - 1));
  std::memcpy(v, text.data(), length * 2);
  v[length] = L'\0';
}

void PluginHost::pushRaw(const void* text, size_t characters) {
  auto* e = static_cast<HostEntry*>(
      GlobalAlloc(GPTR, static_cast<SIZE_T>(sizeof(HostEntry*) + stringSize_ * unit())));
  characters = std::min(characters, static_cast<size_t>(stringSize_ - 1));
  std::memcpy(e->text, text, characters * unit());
  e->next = top_;
  top_ = e;
}

void PluginHost::push(const std::string& text) {
  if (unicode_) return pushWide(wideFrom1251(text));
  pushRaw(text.data(), text.size());
}

void PluginHost::pushWide(const std::wstring& text) {
  if (unicode_) return pushRaw(text.data(), text.size());
  std::string bytes(text.size() * 2 + 1, '\0');
  int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0],
                              static_cast<int>(bytes.size()), nullptr, nullptr);
  pushRaw(bytes.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

bool PluginHost::pop(std::string* text) {
  if (!top_) return false;
  HostEntry* e = top_;
  if (text) *text = text1251(e->text);
  top_ = e->next;
  GlobalFree(e);
  return true;
}

std::vector<std::string> PluginHost::stack() const {
  std::vector<std::string> entries;
  for (HostEntry* e = top_; e; e = e->next) entries.push_back(text1251(e->text));
  return entries;
}

std::vector<std::wstring> PluginHost::stackWide() const {
  std::vector<std::wstring> entries;
  for (HostEntry* e = top_; e; e = e->next) entries.push_back(textWide(e->text));
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
  const unsigned char* back = front + block_.size() - kGuardSize;
  for (int i = 0; i < kGuardSize; ++i)
    if (front[i] != kGuardByte || back[i] != kGuardByte) return false;
  return true;
}

std::string pluginDllPath() {
  return std::string(QELT_PLUGIN_DIR) + flavourName() + "\\QeltNSIS.dll";
}

std::string nolmStandinDirectory(const char* set) {
  return std::string(QELT_NOLM_STANDIN_DIR) + set + "\\";
}
