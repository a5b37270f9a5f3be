// Loading and unloading the library and the token module again and again
// leaves this process's handles and heap as they were: many cycles of the
// library road (InitNolm, OpenNolm, the certificate walk, CloseNolm, FreeNolm),
// of token listings, and of bare loads of each stand-in DLL. What is asserted
// is the growth per cycle after a warm-up, so the cycle count may be small
// (QELT_LEAK_CYCLES, 200 unless set).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "nolm_world.h"
#include "plugin_host.h"

namespace {

// This process's entries in the system handle table (Wine 8 answers 0 to
// GetProcessHandleCount).
long processHandleCount() {
  struct Entry {
    ULONG process;
    BYTE type;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
  };
  struct Table {
    ULONG count;
    Entry entries[1];
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  static const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  constexpr ULONG kSystemHandleInformation = 16;
  constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
  std::vector<char> buffer(1 << 16);
  ULONG needed = 0;
  LONG status;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                         &needed)) == kInfoLengthMismatch)
    buffer.resize(buffer.size() * 2);
  if (status != 0) return -1;
  const auto* table = reinterpret_cast<const Table*>(buffer.data());
  const ULONG self = GetCurrentProcessId();
  long count = 0;
  for (ULONG i = 0; i < table->count; ++i) count += table->entries[i].process == self;
  return count;
}

// Bytes in use in all heaps of the process (Wine 8 answers 0 for PrivateUsage).
long long heapBytesInUse() {
  HANDLE heaps[256];
  DWORD count = GetProcessHeaps(256, heaps);
  long long total = 0;
  for (DWORD i = 0; i < count && i < 256; ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heaps[i], &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    HeapUnlock(heaps[i]);
  }
  return total;
}

int cycles() {
  const char* text = std::getenv("QELT_LEAK_CYCLES");
  int value = text ? std::atoi(text) : 0;
  return value > 0 ? value : 200;
}

// Runs cycle a few times to warm up, then `cycles()` times, and checks that
// handles and heap did not grow with the cycles.
void expectFlat(const std::function<void()>& cycle) {
  for (int i = 0; i < 10; ++i) cycle();
  const int n = cycles();
  const long handlesBefore = processHandleCount();
  const long long heapBefore = heapBytesInUse();
  ASSERT_GT(handlesBefore, 0) << "the handle table cannot be read";
  for (int i = 0; i < n; ++i) cycle();
  const long handlesAfter = processHandleCount();
  const long long heapAfter = heapBytesInUse();
  const double handlesPerCycle = static_cast<double>(handlesAfter - handlesBefore) / n;
  const double bytesPerCycle = static_cast<double>(heapAfter - heapBefore) / n;
  ::testing::Test::RecordProperty("handles_per_cycle", std::to_string(handlesPerCycle));
  ::testing::Test::RecordProperty("heap_bytes_per_cycle", std::to_string(bytesPerCycle));
  // A leak of one handle or one small block per cycle shows far above these.
  EXPECT_LT(handlesPerCycle, 0.05) << handlesBefore << " handles before " << n << " cycles, "
                                   << handlesAfter << " after";
  EXPECT_LT(bytesPerCycle, 16.0) << heapBefore << " heap bytes in use before " << n << " cycles, "
                                 << heapAfter << " after";
}

const char kCertificates[] =
    "[certificate]\nid = AA000001\nname = Перший\nend = 2030-01-01\n"
    "[certificate]\nid = AB1234ZZ\nname = Другий\nend = 2031-02-02\n";

TEST(Leaks, LibraryRoadCycles) {
  NolmWorld world(kCertificates);
  PluginHost& host = world.host();
  host.call("FreeNolm");
  expectFlat([&] {
    host.setVar(VAR_R0, nolmStandinDirectory("lib"));
    host.call("InitNolm");
    ASSERT_EQ(host.var(VAR_0), "1");
    ASSERT_TRUE(world.open());
    host.call("GetCertFirstInfo");
    host.clearStack();
    for (int i = 0; i < 5; ++i) {
      host.call("GetCertNextInfo");
      std::string line;
      bool end = host.pop(&line) && line == "end";
      host.clearStack();
      if (end) break;
    }
    host.call("CloseNolm");
    host.call("FreeNolm");
  });
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
}

TEST(Leaks, TokenListingCycles) {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  const std::string folder = std::string(base) + "qelt-leak-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  CopyFileA((std::string(QELT_TOKEN_DATA) + "\\cn-test-serial-5-bytes.der").c_str(),
            (folder + "\\cn-test-serial-5-bytes.der").c_str(), FALSE);
  std::ofstream(folder + "\\token.cfg")
      << "slot\ntoken label=A\nobject class=public_key key_type=0x80420131 id=01\n"
         "object class=certificate id=01 value_file=cn-test-serial-5-bytes.der\n";
  _putenv_s("QELT_TOKEN_CONFIG", (folder + "\\token.cfg").c_str());
  _putenv_s("QELT_TOKEN_COUNTERS", "");
  {
    PluginHost host;
    expectFlat([&] {
      host.call("GetAvtorCertList");
      ASSERT_EQ(host.stack(), (std::vector<std::string>{"1 ", "Тест (01020304)"}));
      host.clearStack();
    });
  }
  _putenv_s("QELT_TOKEN_CONFIG", "");
  DeleteFileA((folder + "\\token.cfg").c_str());
  DeleteFileA((folder + "\\cn-test-serial-5-bytes.der").c_str());
  RemoveDirectoryA(folder.c_str());
}

// Each stand-in DLL on its own: loaded, then unloaded at once.
class StandinLoads : public ::testing::TestWithParam<const char*> {};

TEST_P(StandinLoads, LeaveNothingBehind) {
  const std::string name = GetParam();
  const std::string path =
      (name == "Av337CryptokiD.dll" ? systemDirectory() : nolmStandinDirectory("lib")) + name;
  expectFlat([&] {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(module, nullptr) << path;
    FreeLibrary(module);
  });
}

INSTANTIATE_TEST_SUITE_P(EveryStandin, StandinLoads,
                         ::testing::Values("nolm32.dll", "nolmmsg.dll", "nolmcc.dll", "tavrikon.dll",
                                           "wembra.dll", "Plisk.dll", "Av337CryptokiD.dll"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
