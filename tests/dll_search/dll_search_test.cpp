// DLLs planted beside the program, in the current directory and on PATH
// never run: under a host that restricts nothing (as NSIS 2 stubs and
// launchers do not), every command that loads a DLL takes the token module
// and the library's DLLs, and what those import, only from their own places,
// and those answer. run-planted prepares the places and the plants.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "dialog_robot.h"
#include "plugin_host.h"

namespace {

std::string environment(const char* name) {
  char value[2048] = "";
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length < sizeof value ? value : "";
}

// Where a loaded DLL came from, or "" when it is not loaded.
std::string loadedFrom(const char* name) {
  HMODULE module = GetModuleHandleA(name);
  char path[MAX_PATH] = "";
  if (module) GetModuleFileNameA(module, path, MAX_PATH);
  return path;
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return _strnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

// The marks planted DLLs leave when they are loaded.
std::vector<std::string> marks() {
  std::vector<std::string> found;
  std::string places = environment("QELT_PLANTED_PLACES") + ";";
  for (size_t at = 0, end; (end = places.find(';', at)) != std::string::npos; at = end + 1) {
    const std::string place = places.substr(at, end - at);
    if (place.empty()) continue;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((place + "\\*.ran").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) continue;
    do found.push_back(place + "\\" + entry.cFileName);
    while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  return found;
}

void initNolm(PluginHost& host, const std::string& folder) {
  host.setVar(VAR_R0, folder);
  host.call("InitNolm");
  ASSERT_EQ(host.var(VAR_0), "1") << "from \"" << folder << "\"";
}

struct Road {
  const char* name;
  std::function<void(PluginHost&)> walk;
};

const Road kRoads[] = {
    {"LibraryFromItsFolder",
     [](PluginHost& host) {
       const std::string folder = environment("QELT_LIBRARY_FOLDER");
       initNolm(host, folder);
       for (const char* dll : {"nolm32.dll", "tavrikon.dll", "nolmcc.dll"})
         EXPECT_TRUE(startsWith(loadedFrom(dll), folder)) << dll << " from " << loadedFrom(dll);
       host.push(folder);
       host.call("OpenNolm");  // the database check goes through tavrikon.dll
       EXPECT_EQ(host.var(VAR_0), "1");
     }},
    {"LibraryFromTheSystemDirectory",
     [](PluginHost& host) {
       initNolm(host, "");
       for (const char* dll : {"nolm32.dll", "tavrikon.dll", "nolmcc.dll"})
         EXPECT_TRUE(startsWith(loadedFrom(dll), systemDirectory())) << dll << " from " << loadedFrom(dll);
     }},
    {"CheckTokenAvtor",
     [](PluginHost& host) {
       host.call("CheckTokenAvtor");
       EXPECT_EQ(host.var(VAR_0), "1");
     }},
    {"GetAvtorCertList",
     [](PluginHost& host) {
       host.call("GetAvtorCertList");
       EXPECT_EQ(host.stack(), (std::vector<std::string>{"1 ", "Тест (01020304)"}));
     }},
    {"ReadTokenAvtorKey",
     [](PluginHost& host) {
       DialogRobot robot("Вибір ключа", [](HWND dialog) {
         SendDlgItemMessageA(dialog, 1002, LB_SETCURSEL, 0, 0);
         click(dialog, 1);
       });
       host.call("ReadTokenAvtorKey");
       ASSERT_TRUE(robot.finish());
       EXPECT_EQ(host.var(VAR_1), "01020304");
     }},
    {"KeyMedia",
     [](PluginHost& host) {
       initNolm(host, environment("QELT_LIBRARY_FOLDER"));
       host.call("CheckToken");
       EXPECT_EQ(host.var(VAR_1), "Reader 1");
       host.push("card");
       host.call("ReadTokenKey");
       EXPECT_EQ(host.var(VAR_2), "KC000001");
       host.push("PLC:");
       host.call("ReadFolderKey");
       EXPECT_EQ(host.var(VAR_2), "PC000001");
     }},
};

void PrintTo(const Road& road, std::ostream* out) { *out << road.name; }

class PlantedDlls : public ::testing::TestWithParam<Road> {};

TEST_P(PlantedDlls, NeverRunAndTheRealOnesAnswer) {
  ASSERT_FALSE(environment("QELT_PLANTED_PLACES").empty()) << "run through run-planted";
  {
    PluginHost host;
    GetParam().walk(host);
    host.call("FreeNolm");
  }
  EXPECT_EQ(marks(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(EveryCommandThatLoadsADll, PlantedDlls, ::testing::ValuesIn(kRoads),
                         [](const ::testing::TestParamInfo<Road>& info) { return std::string(info.param.name); });

}  // namespace
