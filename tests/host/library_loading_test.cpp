// InitNolm and FreeNolm against the stand-in library, called as NSIS calls them.
#include <gtest/gtest.h>

#include <string>

#include "nsis_plugin_api.h"
#include "plugin_host.h"

namespace {

constexpr UINT kIconMask = MB_ICONMASK;

bool nolmLoaded() { return GetModuleHandleA("nolm32.dll") != nullptr; }

class LibraryLoading : public ::testing::TestWithParam<int> {
 protected:
  void TearDown() override {
    // Leave no stand-in DLL behind for the next test.
    while (HMODULE m = GetModuleHandleA("nolm32.dll")) FreeLibrary(m);
    for (const char* name : {"nolmmsg.dll", "tavrikon.dll", "wembra.dll", "Plisk.dll", "nolmcc.dll"})
      while (HMODULE m = GetModuleHandleA(name)) FreeLibrary(m);
  }
};

TEST_P(LibraryLoading, LoadsTheWholeLibraryAndKeepsItUntilFreeNolm) {
  PluginHost host(GetParam());
  host.setVar(VAR_0, "stale");
  host.setVar(VAR_R0, nolmStandinDirectory("lib"));
  host.call("InitNolm");
  EXPECT_EQ(host.var(VAR_0), "1");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
  EXPECT_TRUE(nolmLoaded());
  for (const char* name : {"nolmmsg.dll", "tavrikon.dll", "wembra.dll", "Plisk.dll", "nolmcc.dll"})
    EXPECT_NE(GetModuleHandleA(name), nullptr) << name;
  EXPECT_EQ(host.callbackRegistrations(), 1);
  EXPECT_EQ(host.registeredModule(), host.module());

  host.call("FreeNolm");
  EXPECT_FALSE(nolmLoaded());
  EXPECT_EQ(host.callbackRegistrations(), 1) << "registered again in the same load";
  EXPECT_EQ(host.var(VAR_0), "1") << "FreeNolm writes no variable";
  EXPECT_TRUE(host.stack().empty());
}

TEST_P(LibraryLoading, MissingNolmccNamesItsFullPathAndWindowsCode) {
  PluginHost host(GetParam());
  std::string directory = nolmStandinDirectory("no-nolmcc");
  host.setVar(VAR_R0, directory);
  host.call("InitNolm");
  EXPECT_EQ(host.var(VAR_0), "");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  const RecordedMessageBox& box = PluginHost::messageBoxes()[0];
  EXPECT_EQ(box.text, "Помилка завантаження бібліотеки " + directory +
                          "nolmcc.dll.\nКод помилки: 126");
  EXPECT_FALSE(box.hasCaption);
  EXPECT_FALSE(box.hasOwner);
  EXPECT_EQ(box.type & kIconMask, static_cast<UINT>(MB_ICONERROR));
  // What loaded before the failure stays loaded until FreeNolm.
  EXPECT_NE(GetModuleHandleA("Plisk.dll"), nullptr);
  host.call("FreeNolm");
  EXPECT_FALSE(nolmLoaded());
  EXPECT_EQ(GetModuleHandleA("Plisk.dll"), nullptr);
}

TEST_P(LibraryLoading, MissingKMGetFuncsStopsAfterNolm32) {
  PluginHost host(GetParam());
  host.setVar(VAR_R0, nolmStandinDirectory("no-kmgetfuncs"));
  host.call("InitNolm");
  EXPECT_EQ(host.var(VAR_0), "");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text, "Помилка завантаження функції KMGetFuncs.");
  EXPECT_FALSE(PluginHost::messageBoxes()[0].hasCaption);
  EXPECT_EQ(PluginHost::messageBoxes()[0].type & kIconMask, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(GetModuleHandleA("nolmmsg.dll"), nullptr) << "nothing after nolm32.dll is loaded";
}

// "C:\Nolm" is the folder C:\Nolm, not files named "C:\Nolmnolm32.dll".
TEST_P(LibraryLoading, DirectoryWithoutSeparatorGetsOne) {
  PluginHost host(GetParam());
  std::string directory = nolmStandinDirectory("lib");
  directory.pop_back();
  host.setVar(VAR_R0, directory);
  host.call("InitNolm");
  EXPECT_EQ(host.var(VAR_0), "1");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
  host.call("FreeNolm");
}

TEST_P(LibraryLoading, OverlongDirectoryIsRefusedWithoutOverflow) {
  PluginHost host(GetParam());
  std::string directory(static_cast<size_t>(GetParam() - 1), 'd');
  host.setVar(VAR_R0, directory);
  host.call("InitNolm");
  EXPECT_EQ(host.var(VAR_0), "");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  const std::string& text = PluginHost::messageBoxes()[0].text;
  EXPECT_EQ(text.rfind("Помилка завантаження бібліотеки nolm32.dll.", 0), 0u) << text;
  EXPECT_NE(text.find("1023"), std::string::npos) << text;
  EXPECT_FALSE(nolmLoaded());
}

TEST_P(LibraryLoading, FreeNolmWithoutInitNolmDoesNothing) {
  PluginHost host(GetParam());
  host.setVar(VAR_0, "untouched");
  host.call("FreeNolm");
  host.call("FreeNolm");
  EXPECT_EQ(host.var(VAR_0), "untouched");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
}

TEST_P(LibraryLoading, LoadsAgainAfterFreeNolm) {
  PluginHost host(GetParam());
  host.setVar(VAR_R0, nolmStandinDirectory("lib"));
  host.call("InitNolm");
  host.call("FreeNolm");
  host.setVar(VAR_0, "");
  host.call("InitNolm");
  EXPECT_EQ(host.var(VAR_0), "1");
  EXPECT_TRUE(nolmLoaded());
  host.call("FreeNolm");
}

TEST_P(LibraryLoading, ARetryAfterAFailureLeavesNothingBehindForFreeNolm) {
  PluginHost host(GetParam());
  host.setVar(VAR_R0, nolmStandinDirectory("no-nolmcc"));
  host.call("InitNolm");
  host.setVar(VAR_R0, nolmStandinDirectory("lib"));
  host.call("InitNolm");
  host.call("InitNolm");
  EXPECT_EQ(host.var(VAR_0), "1");
  host.call("FreeNolm");
  for (const char* name : {"nolm32.dll", "nolmmsg.dll", "tavrikon.dll", "wembra.dll", "Plisk.dll",
                           "nolmcc.dll"})
    EXPECT_EQ(GetModuleHandleA(name), nullptr) << name << " still loaded";
}

INSTANTIATE_TEST_SUITE_P(StringSizes, LibraryLoading, ::testing::Values(1024, 8192));

TEST(PluginImage, ExportsEveryCommandScriptsCall) {
  HMODULE module = LoadLibraryExA(pluginDllPath().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  ASSERT_NE(module, nullptr);
  const char* exports[] = {
      "InitNolm",         "FreeNolm",           "OpenNolm",        "CloseNolm",
      "LoadKey",          "LoadKeyCC",          "KeyGenCC",        "KeyGenFile",
      "ChangePassword",   "ChangePasswordFile", "ChangePin",       "GetCertFirstInfo",
      "GetCertNextInfo",  "PromptPassword",     "PromptPasswordChange", "Test",
      "StartProgress",    "UpdateProgress",     "CloseProgress",   "CheckToken",
      "ReadFolderKey",    "ReadTokenKey",       "CheckTokenAvtor", "GetAvtorCertList",
      "ReadTokenAvtorKey", "ParseAvtorKey"};
  for (const char* name : exports) EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
  FreeLibrary(module);
}

TEST(PluginImage, ImportsSystemDllsOnly) {
  HMODULE module = LoadLibraryExA(pluginDllPath().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  ASSERT_NE(module, nullptr);
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
#ifdef _WIN64
  // The x86-64 test build, for machines that cannot run 32-bit programs.
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
#else
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
#endif
  IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  const char* allowed[] = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll",
                           "msvcrt.dll",   "advapi32.dll"};
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
    const char* name = reinterpret_cast<char*>(base + d->Name);
    bool ok = false;
    for (const char* a : allowed) ok = ok || _stricmp(name, a) == 0;
    EXPECT_TRUE(ok) << "QeltNSIS.dll imports " << name;
  }
  FreeLibrary(module);
}

}  // namespace
