// CheckTokenAvtor, GetAvtorCertList, ParseAvtorKey against the stand-in token
// module (Av337CryptokiD.dll next to the test program).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "plugin_host.h"

namespace {

const char kSecureTokenKey[] = "object class=public_key key_type=0x80420131 id=";

std::string certificateObject(const std::string& id, const std::string& file) {
  return std::string(kSecureTokenKey) + id + "\nobject class=certificate id=" + id +
         " value_file=" + file + "\n";
}

class TokenExports : public ::testing::Test {
 protected:
  void SetUp() override {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    folder_ = std::string(base) + "qelt-token-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    for (const char* name : {"cn-test-serial-5-bytes.der", "serial-1-byte.der",
                             "owner-serial-4-bytes.der", "serial-00ab.der", "cn-greek.der"})
      CopyFileA((std::string(QELT_TOKEN_DATA) + "\\" + name).c_str(),
                (folder_ + "\\" + name).c_str(), FALSE);
    DeleteFileA(counters().c_str());
    _putenv_s("QELT_TOKEN_COUNTERS", counters().c_str());
  }
  void TearDown() override {
    // Every start was finished: the module is not left initialised.
    std::map<std::string, long> c = readCounters();
    EXPECT_EQ(c["call.C_Finalize"], c["initialize"]);
    EXPECT_EQ(c["call.C_CloseSession"], c["sessions_opened"]);
    EXPECT_EQ(c["loads"], c["unloads"]);
    _putenv_s("QELT_TOKEN_CONFIG", "");
    _putenv_s("QELT_TOKEN_COUNTERS", "");
    EXPECT_TRUE(PluginHost::messageBoxes().empty()) << "the token road shows nothing";
  }
  void configure(const std::string& text) {
    std::ofstream(folder_ + "\\token.cfg") << text;
    _putenv_s("QELT_TOKEN_CONFIG", (folder_ + "\\token.cfg").c_str());
  }
  std::string counters() const { return folder_ + "\\counters.txt"; }
  std::map<std::string, long> readCounters() const {
    std::map<std::string, long> values;
    std::ifstream in(counters());
    std::string name;
    long value;
    while (in >> name >> value) values[name] = value;
    return values;
  }
  std::vector<std::string> certificateList(PluginHost& host) {
    host.call("GetAvtorCertList");
    return host.stack();
  }

  std::string folder_;
};

TEST_F(TokenExports, CountsTheSlotsThatHoldAToken) {
  configure("slot description=\"Reader 1\"\ntoken label=A serial=1\n"
            "slot description=\"Reader 2\"\n"
            "slot description=\"Reader 3\"\ntoken label=B serial=2\n");
  PluginHost host;
  host.call("CheckTokenAvtor");
  EXPECT_EQ(host.var(VAR_0), "2");
}

TEST_F(TokenExports, NoModuleOrAFailingModuleMeansNoToken) {
  PluginHost host;
  host.setVar(VAR_0, "x");
  host.call("CheckTokenAvtor");  // no configuration: a module without slots
  EXPECT_EQ(host.var(VAR_0), "0");
  configure("slot\ntoken label=A\nfault C_Initialize * 0x30\n");
  host.call("CheckTokenAvtor");
  EXPECT_EQ(host.var(VAR_0), "0");
  configure("slot\ntoken label=A\nfault C_GetSlotList * 0x30\n");
  host.call("CheckTokenAvtor");
  EXPECT_EQ(host.var(VAR_0), "0");
  EXPECT_EQ(certificateList(host), std::vector<std::string>{"0 "});
}

TEST_F(TokenExports, OneCertificateThenItsCount) {
  configure("slot\ntoken label=A\n" + certificateObject("01", "cn-test-serial-5-bytes.der"));
  PluginHost host;
  EXPECT_EQ(certificateList(host), (std::vector<std::string>{"1 ", "Тест (01020304)"}));
}

TEST_F(TokenExports, AtMostFourEntriesReachTheScript) {
  std::string config = "slot\ntoken label=A\n";
  const char* files[] = {"cn-test-serial-5-bytes.der", "serial-1-byte.der",
                         "owner-serial-4-bytes.der", "serial-00ab.der"};
  for (int i = 0; i < 6; ++i)
    config += certificateObject("0" + std::to_string(i + 1), files[i % 4]);
  configure(config);
  PluginHost host;
  std::vector<std::string> stack = certificateList(host);
  ASSERT_EQ(stack.size(), 5u);
  EXPECT_EQ(stack[0], "4 ");
  EXPECT_EQ(stack[4], "Тест (01020304)");  // the first found is the deepest
  EXPECT_EQ(stack[3], "Short Serial (0aZ     )");
}

// A Unicode installer gets owner names straight from the certificate's
// UTF-8: a name no ANSI code page of the system holds is listed and split
// exactly. (An ANSI installer gets it in its code page, as always.)
TEST_F(TokenExports, UnicodeInstallersGetAnyOwnerNameExactly) {
  if (testFlavour() != Flavour::kUnicode) GTEST_SKIP() << "Unicode installers only";
  configure("slot\ntoken label=A\n" + certificateObject("01", "cn-greek.der"));
  PluginHost host;
  host.call("GetAvtorCertList");
  const std::wstring entry = L"Αλέξανδρος Παπαδόπουλος (0a0b0c0d)";
  const std::wstring name = L"Αλέξανδρος Παπαδόπουλος ";
  EXPECT_EQ(host.stackWide(), (std::vector<std::wstring>{L"1 ", entry}));
  host.clearStack();
  for (const char* selector : {"1", "0"}) {
    host.push(selector);
    host.pushWide(entry);
    host.call("ParseAvtorKey");
    EXPECT_EQ(host.varWide(VAR_R0), *selector == '1' ? name : L"0a0b0c0d");
  }
}

// A cut entry would split into a wrong name and key number.
TEST(ParseAvtorKey, AnEntryTooLongToHoldIsRefusedNotCut) {
  PluginHost host(8192);
  const std::string entry = std::string(8180, 'N') + " (01020304)";
  for (const char* selector : {"0", "1"}) {
    host.push(selector);
    host.push(entry);
    host.setVar(VAR_R0, "stale");
    host.call("ParseAvtorKey");
    EXPECT_EQ(host.var(VAR_R0), "");
    EXPECT_TRUE(host.stack().empty());
  }
}

TEST(ParseAvtorKey, SplitsAnEntryIntoKeyNumberOrName) {
  PluginHost host;
  struct {
    const char* selector;
    const char* entry;
    const char* expected;
  } cases[] = {
      {"0", "Тест (01020304)", "01020304"},
      {"1", "Тест (01020304)", "Тест "},
      {"", "Short Serial (0aZ     )", "0aZ     "},
      {"0x10", "Short Serial (0aZ     )", "Short Serial "},
      {"1", "too short", ""},  // 9 characters: no name part
      {"0", "12345678", ""},   // 8 characters: no key number
  };
  for (const auto& c : cases) {
    host.push(c.selector);
    host.push(c.entry);
    host.setVar(VAR_R0, "stale");
    host.call("ParseAvtorKey");
    EXPECT_EQ(host.var(VAR_R0), c.expected) << c.entry << " / " << c.selector;
    EXPECT_TRUE(host.stack().empty());
  }
  // An empty stack parses the entry taken last, with selector 0.
  host.call("ParseAvtorKey");
  EXPECT_EQ(host.var(VAR_R0), "");
  host.push("1");
  host.push("Тест (01020304)");
  host.call("ParseAvtorKey");
  host.call("ParseAvtorKey");
  EXPECT_EQ(host.var(VAR_R0), "01020304");
}

}  // namespace
