// Smoke test of the stand-in Nolm library: loads its DLLs directly and checks
// the configuration, key files, overrides and the call log.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

#define NOLM_CALL __stdcall

typedef int(NOLM_CALL* NoArgumentFn)();
typedef int(NOLM_CALL* OpenFn)(const char*, const char*, int);
typedef int(NOLM_CALL* GetMsgAuxFn)(int, char*, int);
typedef int(NOLM_CALL* LoadSecKeyFn)(char*, char*, char*, int);
typedef int(NOLM_CALL* LoadSecKeyCCFn)(char*, char*, char*, int, char*);
typedef int(NOLM_CALL* KeyGenXFn)(char*, const char*, char*, char*, int);
typedef int(NOLM_CALL* KeyGenXCCFn)(char*, char*, char*, char*, int, char*);
typedef int(NOLM_CALL* ChangePswFn)(char*, char*, char*, int);
typedef int(NOLM_CALL* ChangePswCCFn)(char*, char*, char*, int, char*);
typedef int(NOLM_CALL* ChangePinFn)(char*, char*, char*);
typedef int(NOLM_CALL* FindFirstRdrFn)(char*, int);
typedef int(NOLM_CALL* FindNextRdrFn)(char*);
typedef int(NOLM_CALL* GetFileListFn)(char*, void*);
typedef int(NOLM_CALL* CrtFFFn)(void*, int, const char*, int);
typedef int(NOLM_CALL* CrtFNFn)(void*, int);
typedef void**(NOLM_CALL* KMGetFuncsFn)(const char*);
typedef int(NOLM_CALL* CardOpenFn)(const char*, int);
typedef int(NOLM_CALL* CardChangePinFn)(const char*, const char*);
typedef int(NOLM_CALL* CardListFn)(void*, int*);
typedef int(NOLM_CALL* CardCloseFn)();

std::string field(const std::string& text) {
  std::string bytes(32, ' ');
  bytes.replace(0, text.size() < 32 ? text.size() : 32, text.substr(0, 32));
  bytes.push_back('\0');
  return bytes;
}

std::string hex(const std::string& bytes) {
  std::string shown;
  char digits[3];
  for (unsigned char byte : bytes) {
    std::snprintf(digits, sizeof digits, "%02x", byte);
    shown += digits;
  }
  return shown;
}

// A text as the log shows it.
std::string logText(const std::string& text) {
  std::string shown = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') shown.push_back('\\');
    shown.push_back(c);
  }
  return shown + "\"";
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

class NolmStandin : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static int counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "nolm_standin_%lu_%d\\", GetCurrentProcessId(), ++counter);
    dir_ = std::string(temp) + name;
    CreateDirectoryA(dir_.c_str(), nullptr);
    config_ = dir_ + "standin.cfg";
    log_ = dir_ + "calls.log";
    SetEnvironmentVariableA("NOLM_STANDIN_CONFIG", config_.c_str());
    SetEnvironmentVariableA("NOLM_STANDIN_LOG", log_.c_str());
    std::string lib = NOLM_STANDIN_LIB_DIR;
    // nolm32.dll imports tavrikon.dll from its own folder.
    nolm32_ = LoadLibraryExA((lib + "nolm32.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    nolmmsg_ = LoadLibraryA((lib + "nolmmsg.dll").c_str());
    nolmcc_ = LoadLibraryA((lib + "nolmcc.dll").c_str());
    ASSERT_TRUE(nolm32_ && nolmmsg_ && nolmcc_);
  }

  void TearDown() override {
    for (HMODULE module : {nolmcc_, nolmmsg_, nolm32_})
      if (module) FreeLibrary(module);
    SetEnvironmentVariableA("NOLM_STANDIN_CONFIG", nullptr);
    SetEnvironmentVariableA("NOLM_STANDIN_LOG", nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir_ + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do DeleteFileA((dir_ + found.cFileName).c_str());
      while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(dir_.c_str());
  }

  template <typename Function>
  Function function(HMODULE module, const char* name) {
    FARPROC address = GetProcAddress(module, name);
    EXPECT_NE(address, nullptr) << name;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
  }

  std::string message(int code) {
    char text[1024] = {};
    function<GetMsgAuxFn>(nolmmsg_, "NolmGetMsgAux")(code, text, sizeof text);
    return text;
  }

  std::vector<std::string> logLines() {
    std::vector<std::string> lines;
    std::istringstream text(readFile(log_));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }

  std::string dir_, config_, log_;
  HMODULE nolm32_ = nullptr, nolmmsg_ = nullptr, nolmcc_ = nullptr;
};

TEST_F(NolmStandin, ConfigurationNamedByTheEnvironmentCountsBeforeNolmOpen) {
  writeFile(config_, "# before NolmOpen\nversion = 7\ndatabase = 120\nmessage.120 = Base gone\n");
  EXPECT_EQ(function<NoArgumentFn>(nolm32_, "NolmCheckDB")(), 120);
  EXPECT_EQ(function<NoArgumentFn>(nolm32_, "NolmGetVer")(), 7);
  EXPECT_EQ(message(120), "Base gone");
  EXPECT_EQ(message(101), "Невірний пароль ключа");
  EXPECT_EQ(message(12), "Nolm warning 12");
  EXPECT_EQ(message(999), "Nolm error 999");

  writeFile(config_, "version = 8\n");  // a changed file is read again
  EXPECT_EQ(function<NoArgumentFn>(nolm32_, "NolmGetVer")(), 8);
}

TEST_F(NolmStandin, NolmOpenReadsTheFileItReceives) {
  SetEnvironmentVariableA("NOLM_STANDIN_CONFIG", nullptr);
  EXPECT_EQ(function<NoArgumentFn>(nolm32_, "NolmGetVer")(), 5) << "the default";
  writeFile(dir_ + "nolm.cfg", "[library]\nversion = 9\nopen = 33\n");
  OpenFn open = function<OpenFn>(nolm32_, "NolmOpen");
  EXPECT_EQ(open((dir_ + "nolm.cfg").c_str(), dir_.c_str(), 0), 33);
  EXPECT_EQ(function<NoArgumentFn>(nolm32_, "NolmGetVer")(), 9);
  EXPECT_EQ(open((dir_ + "missing.cfg").c_str(), dir_.c_str(), 0), 33) << "configuration kept";
}

TEST_F(NolmStandin, KeyGenXWritesAKeyFileThatNolmLoadSecKeyChecks) {
  std::string name = "AB123456", password = field("secret"), random(32, '7');
  random.push_back('\0');
  KeyGenXFn keyGen = function<KeyGenXFn>(nolm32_, "KeyGenX");
  LoadSecKeyFn load = function<LoadSecKeyFn>(nolm32_, "NolmLoadSecKey");
  ASSERT_EQ(keyGen(&name[0], dir_.c_str(), &password[0], &random[0], 0), 0);
  std::string keyPath = dir_ + "AB123456.KEY";
  EXPECT_EQ(readFile(keyPath).rfind("NOLM-STANDIN-KEY 1\r\n", 0), 0u);

  std::string zero(33, '\0'), wrong = field("Secret");
  EXPECT_EQ(load(&keyPath[0], &password[0], &zero[0], 0), 0);
  std::string withoutExtension = dir_ + "AB123456";
  EXPECT_EQ(load(&withoutExtension[0], &password[0], &zero[0], 0), 0);
  EXPECT_EQ(load(&keyPath[0], &wrong[0], &zero[0], 0), 101);
  EXPECT_EQ(message(101), "Невірний пароль ключа");
  std::string missing = dir_ + "CD000000.KEY";
  EXPECT_EQ(load(&missing[0], &password[0], &zero[0], 0), 102);

  ChangePswFn change = function<ChangePswFn>(nolm32_, "NolmChangePsw");
  std::string renewed = field("renewed");
  EXPECT_EQ(change(&keyPath[0], &wrong[0], &renewed[0], 0), 101);
  EXPECT_EQ(change(&keyPath[0], &password[0], &renewed[0], 0), 0);
  EXPECT_EQ(load(&keyPath[0], &password[0], &zero[0], 0), 101);
  EXPECT_EQ(load(&keyPath[0], &renewed[0], &zero[0], 0), 0);
}

TEST_F(NolmStandin, CardReadersKeysAndRequests) {
  writeFile(config_,
            "[reader Reader A]\nkey.AB123456 = first\n"
            "[reader Reader B]\npin = 4321\n");
  char reader[1024] = {};
  EXPECT_EQ(function<FindFirstRdrFn>(nolmcc_, "NolmFindFirstRdr")(reader, 1), 0);
  EXPECT_STREQ(reader, "Reader A");
  FindNextRdrFn next = function<FindNextRdrFn>(nolmcc_, "NolmFindNextRdr");
  EXPECT_EQ(next(reader), 0);
  EXPECT_STREQ(reader, "Reader B");
  EXPECT_EQ(next(reader), 112);

  std::string name = "CD654321", password = field("second"), random(32, '1'), rdr = "Reader B";
  random.push_back('\0');
  std::vector<char> request(1024, '\0');
  ASSERT_EQ(function<KeyGenXCCFn>(nolmcc_, "KeyGenXCC")(&name[0], request.data(), &password[0],
                                                         &random[0], 0, &rdr[0]),
            0);
  EXPECT_EQ(std::string(request.data(), 16), std::string("NOLMREQ1CD654321"));
  EXPECT_EQ(std::string(request.data() + 104, 4), std::string("\r\n\x1a\0", 4));
  EXPECT_EQ(std::vector<char>(request.begin() + 174, request.end()), std::vector<char>(850, 0));

  std::string zero(33, '\0');
  LoadSecKeyCCFn load = function<LoadSecKeyCCFn>(nolmcc_, "NolmLoadSecKeyCC");
  EXPECT_EQ(load(&name[0], &password[0], &zero[0], 0, &rdr[0]), 0);
  std::string other = "Reader A", nowhere = "Reader C";
  EXPECT_EQ(load(&name[0], &password[0], &zero[0], 0, &other[0]), 107);
  EXPECT_EQ(load(&name[0], &password[0], &zero[0], 0, &nowhere[0]), 105);

  std::string renewed = field("third");
  EXPECT_EQ(function<ChangePswCCFn>(nolmcc_, "NolmChangePswCC")(&name[0], &password[0],
                                                                &renewed[0], 0, &rdr[0]),
            0);
  EXPECT_EQ(load(&name[0], &renewed[0], &zero[0], 0, &rdr[0]), 0);

  ChangePinFn changePin = function<ChangePinFn>(nolmcc_, "NCCchangePIN");
  std::string oldPin = field("4321"), newPin = field("9999");
  EXPECT_EQ(changePin(&rdr[0], &newPin[0], &newPin[0]), 108);
  EXPECT_EQ(changePin(&rdr[0], &oldPin[0], &newPin[0]), 0);
  EXPECT_EQ(changePin(&rdr[0], &oldPin[0], &newPin[0]), 108) << "the PIN has changed";
}

TEST_F(NolmStandin, CardKeyTableCountComesFromTheConfigurationEntriesStopAt31) {
  std::string config = "[reader R]\ncount = 40\n";
  for (int i = 0; i < 33; ++i) config += "key.K" + std::to_string(1000000 + i) + " = p\n";
  writeFile(config_, config);
  std::vector<unsigned char> table(4 + 33 * 14, 0xCC);
  std::string reader = "R";
  ASSERT_EQ(function<GetFileListFn>(nolmcc_, "NCCgetFileList")(&reader[0], table.data()), 0);
  std::int32_t count = 0;
  std::memcpy(&count, table.data(), 4);
  EXPECT_EQ(count, 40);
  EXPECT_STREQ(reinterpret_cast<char*>(&table[4]), "K1000000");
  EXPECT_STREQ(reinterpret_cast<char*>(&table[4 + 30 * 14]), "K1000030");
  EXPECT_EQ(table[4 + 31 * 14], 0xCC) << "nothing past 31 entries";
}

TEST_F(NolmStandin, CertificateRecords) {
  writeFile(config_,
            "[certificate]\nid = AB1234XY\nname = Owner One\nend = 2019-09-01\n"
            "[certificate]\nid = AB1\nname = 0123456789012345678901234567890123456789xy\n"
            "name-unterminated = yes\nend = 0x4F21\n");
  unsigned char record[80];
  ASSERT_EQ(function<CrtFFFn>(nolm32_, "NolmCrtFF")(record, 1, "", 0), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(record + 12), 8), "AB1234XY");
  EXPECT_STREQ(reinterpret_cast<char*>(record + 20), "Owner One");
  EXPECT_EQ(record[62] | record[63] << 8, 0x4F21);
  CrtFNFn next = function<CrtFNFn>(nolm32_, "NolmCrtFN");
  ASSERT_EQ(next(record, 0), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(record + 12), 8), std::string("AB1\0\0\0\0\0", 8));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(record + 20), 42),
            "0123456789012345678901234567890123456789xy");
  EXPECT_EQ(next(record, 0), 111);
}

TEST_F(NolmStandin, PlasticCardTable) {
  writeFile(config_, "[plastic card]\npin = 1111\nkey = AB123456\nkey = CD654321\n");
  KMGetFuncsFn getFuncs = function<KMGetFuncsFn>(nolm32_, "KMGetFuncs");
  EXPECT_EQ(getFuncs("plc:"), nullptr);
  void** table = getFuncs("PLC:");
  ASSERT_NE(table, nullptr);
  CardOpenFn open = reinterpret_cast<CardOpenFn>(table[2]);
  CardChangePinFn changePin = reinterpret_cast<CardChangePinFn>(table[3]);
  CardListFn list = reinterpret_cast<CardListFn>(table[4]);
  CardCloseFn close = reinterpret_cast<CardCloseFn>(table[9]);
  EXPECT_EQ(open("2222", 0), 160);
  EXPECT_EQ(open("1111", 0), 0);
  EXPECT_EQ(changePin("1111", "3333"), 0);
  EXPECT_EQ(close(), 0);
  EXPECT_EQ(open("1111", 0), 160);
  EXPECT_EQ(open(nullptr, 0), 0) << "opened without a PIN for listing";
  char records[100 * 20];
  int count = 100;
  EXPECT_EQ(list(records, &count), 0);
  EXPECT_EQ(count, 2);
  EXPECT_STREQ(records + 20, "CD654321");
  close();
}

TEST_F(NolmStandin, OverridesReplaceTheWork) {
  writeFile(config_,
            "result.NolmLoadSecKey = 7\nresult.card.open = 160\nresult.KMGetFuncs = table\n");
  std::string path = dir_ + "none.KEY", password = field(""), zero(33, '\0');
  EXPECT_EQ(function<LoadSecKeyFn>(nolm32_, "NolmLoadSecKey")(&path[0], &password[0], &zero[0], 0),
            7);
  KMGetFuncsFn getFuncs = function<KMGetFuncsFn>(nolm32_, "KMGetFuncs");
  EXPECT_EQ(reinterpret_cast<CardOpenFn>(getFuncs("PLC:")[2])("1234", 0), 160);
  writeFile(config_, "result.KMGetFuncs = null\n");
  EXPECT_EQ(getFuncs("PLC:"), nullptr);
}

TEST_F(NolmStandin, LogShowsEveryCallWithItsArguments) {
  writeFile(config_, "message.77 = Say \"hi\"\x01\n");
  std::string cfg = dir_ + "nolm.cfg";
  function<OpenFn>(nolm32_, "NolmOpen")(cfg.c_str(), dir_.c_str(), 0);
  std::string key = dir_ + "K.KEY", password = field("pw"), zero(33, '\0');
  function<LoadSecKeyFn>(nolm32_, "NolmLoadSecKey")(&key[0], &password[0], &zero[0], 0);
  message(77);
  function<KMGetFuncsFn>(nolm32_, "KMGetFuncs")(nullptr);

  std::vector<std::string> lines = logLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "NolmOpen(" + logText(cfg) + ", " + logText(dir_) + ", 0) -> 0");
  EXPECT_EQ(lines[1], "NolmLoadSecKey(" + logText(key) + ", hex:" + hex(password) + ", hex:" +
                          hex(zero) + ", 0) -> 102");
  EXPECT_EQ(lines[2], "NolmGetMsgAux(77, buffer, 1024) -> 0 | text=\"Say \\\"hi\\\"\\x01\"");
  EXPECT_EQ(lines[3], "KMGetFuncs(null) -> null");
}

TEST_F(NolmStandin, NolmccWithoutNolm32AnswersMinusOne) {
  FindNextRdrFn next = function<FindNextRdrFn>(nolmcc_, "NolmFindNextRdr");
  FreeLibrary(nolm32_);
  nolm32_ = nullptr;
  char reader[1024] = {};
  EXPECT_EQ(next(reader), -1);
}

}  // namespace
