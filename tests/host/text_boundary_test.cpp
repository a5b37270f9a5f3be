// Texts between the installer and the library, in both flavours: Cyrillic
// reaches the library as Windows-1251, a text Windows-1251 cannot hold is
// refused before the library sees it, and the plug-in's own file work takes
// any folder name a Unicode installer gives.
#include <gtest/gtest.h>

#include "nolm_world.h"

namespace {

bool unicode() { return testFlavour() == Flavour::kUnicode; }

std::wstring tempFolder(const std::wstring& name) {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  std::wstring folder = std::wstring(base) + name + L"-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\";
}

// A copy of the stand-in library in folder.
void copyLibrary(const std::wstring& folder) {
  std::string from = nolmStandinDirectory("lib");
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((from + "*.dll").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    std::wstring target = folder + wideFrom1251(found.cFileName);
    CopyFileW(wideFrom1251(from + found.cFileName).c_str(), target.c_str(), FALSE);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

TEST(LibraryText, CyrillicReachesTheLibraryAsWindows1251) {
  NolmWorld world("");
  ASSERT_TRUE(world.open());
  writeFile(world.path("AB123456.KEY"), "NOLM-STANDIN-KEY 1\r\npassword = пароль\r\n");
  PluginHost& host = world.host();
  host.setVar(VAR_R0, "not loaded");
  host.setVar(VAR_2, "пароль");
  host.setVar(VAR_3, world.dataDirectory());
  host.setVar(VAR_4, "AB123456.KEY");
  host.call("LoadKey");
  EXPECT_EQ(host.var(VAR_R0), "");
  EXPECT_NE(world.call("NolmLoadSecKey").find(fieldHex("пароль")), std::string::npos);
  // The plug-in's own texts come back exact too.
  EXPECT_EQ(host.varWide(VAR_1).rfind(L"Версія біблотеки НОЛМ - ", 0), 0u);
}

TEST(LibraryText, WhatWindows1251CannotHoldNeverReachesTheLibrary) {
  if (!unicode()) GTEST_SKIP() << "an ANSI installer's texts are single-byte already";
  NolmWorld world("");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  world.clearLog();
  host.setVar(VAR_R0, "not loaded");
  host.setVarWide(VAR_2, L"пароль日本");
  host.setVar(VAR_3, world.dataDirectory());
  host.setVar(VAR_4, "AB123456.KEY");
  host.call("LoadKey");
  EXPECT_EQ(host.var(VAR_R0), "not loaded");

  host.setVarWide(VAR_1, L"Κλειδί");
  host.setVar(VAR_2, "secret");
  host.setVar(VAR_3, world.dataDirectory());
  host.call("KeyGenFile");
  EXPECT_EQ(host.var(VAR_0), "");

  EXPECT_EQ(world.callCount("NolmLoadSecKey"), 0);
  EXPECT_EQ(world.callCount("KeyGenX"), 0);
  ASSERT_EQ(PluginHost::messageBoxes().size(), 2u);
  EXPECT_NE(PluginHost::messageBoxes()[0].text.find("у змінній $2"), std::string::npos);
  EXPECT_NE(PluginHost::messageBoxes()[1].text.find("у змінній $1"), std::string::npos);
  EXPECT_NE(PluginHost::messageBoxes()[1].text.find("Windows-1251"), std::string::npos);
}

TEST(Paths, LibraryAndKeyFoldersWithCyrillicNames) {
  std::vector<std::wstring> names = {L"Бібліотека НОЛМ"};
  // Only a Unicode installer can name a folder outside its code page.
  if (unicode()) names.push_back(L"Βιβλιοθήκη");
  for (const std::wstring& name : names) {
    std::wstring folder = tempFolder(name);
    copyLibrary(folder);
    PluginHost host;
    host.setVarWide(VAR_R0, folder);
    host.call("InitNolm");
    EXPECT_EQ(host.var(VAR_0), "1") << wideTo1251(folder);
    host.call("FreeNolm");

    std::wstring keys = tempFolder(name + L" ключі");
    HANDLE file = CreateFileW((keys + L"AB123456.KEY").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    host.pushWide(keys.substr(0, keys.size() - 1));
    host.call("ReadFolderKey");  // one key: taken without a dialog
    EXPECT_EQ(host.var(VAR_2), "AB123456") << wideTo1251(keys);
    EXPECT_TRUE(PluginHost::messageBoxes().empty());
  }
}

// Cut to what fits, the name would be another folder's.
TEST(Paths, AKeyFolderTooLongToKeepHasNoKeys) {
  PluginHost host(8192);
  host.push("C:\\" + std::string(2000, 'd'));
  host.call("ReadFolderKey");
  EXPECT_EQ(host.var(VAR_0), "-1");
}

}  // namespace
