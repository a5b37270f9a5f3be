// The token certificate enumeration against the stand-in module: entries,
// limits, and every failure, which must only shorten the list and leave
// nothing initialised, open or loaded.
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#endif

#include <string>
#include <vector>

#include "standin_token.h"
#include "token_certificates.h"

namespace {

const char* const kCyrillicEntry = "\xD2\xE5\xF1\xF2 (01020304)";  // "Тест" in Windows-1251
const char* const kOwnerEntry = "Owner (11223344)";
const char* const kShortEntry = "Short Serial (0aZ     )";
const char* const kLeadingZeroEntry = "Leading Zero (00abZ   )";

std::string tokenSlot(const std::string& label) {
  return "slot description=\"Reader " + label + "\"\ntoken label=\"" + label + "\" serial=\"" + label + "\"\n";
}

std::string emptySlot() { return "slot description=\"Empty reader\"\n"; }

std::string key(const std::string& id, const std::string& extra = "") {
  return "object class=public_key key_type=0x80420131 id=" + id + " " + extra + "\n";
}

std::string certificate(const std::string& id, const std::string& file) {
  return "object class=certificate id=" + id + " value_file=\"" + StandinTokenTest::dataFile(file) + "\"\n";
}

std::string keyWithCertificate(const std::string& id, const std::string& file) {
  return key(id) + certificate(id, file);
}

std::vector<std::string> entries(const TokenCertificateList& list) {
  std::vector<std::string> found;
  for (const CertificateEntry& entry : list) {
    if (!entry.empty()) found.push_back(entry.text);
  }
  return found;
}

using Entries = std::vector<std::string>;

// Two tokens (two certificates, one key without) and a slot without token.
std::string twoTokens() {
  return tokenSlot("First") + keyWithCertificate("01", "cn-test-serial-5-bytes.der") + key("02") +
         keyWithCertificate("03", "owner-serial-4-bytes.der") + emptySlot() + tokenSlot("Second") +
         keyWithCertificate("04", "serial-1-byte.der");
}
const Entries kTwoTokensEntries = {kCyrillicEntry, kOwnerEntry, kShortEntry};

}  // namespace

class TokenCertificates : public StandinTokenTest {
 protected:
  TokenCertificateList enumerate() { return enumerateTokenCertificates(moduleFile()); }
};

TEST_F(TokenCertificates, NoTokenGivesTenEmptyPlaces) {
  configure(emptySlot());
  const TokenCertificateList list = enumerate();
  EXPECT_EQ(list.size(), 10u);
  for (const CertificateEntry& entry : list) EXPECT_TRUE(entry.empty());
  EXPECT_EQ(counter("initialize"), 1u);
  EXPECT_EQ(counter("sessions_opened"), 0u);
  expectNothingLeftOpen();
}

TEST_F(TokenCertificates, EntriesInSlotOrderAndPlacesInOrder) {
  configure(twoTokens());
  const TokenCertificateList list = enumerate();
  EXPECT_EQ(entries(list), kTwoTokensEntries);
  EXPECT_EQ(std::string(list[0].text), kCyrillicEntry);
  EXPECT_TRUE(list[3].empty());
  // No login: only public objects are read.
  EXPECT_EQ(counter("call.C_Login"), 0u);
  expectNothingLeftOpen();
}

TEST_F(TokenCertificates, MissingModuleGivesEmptyListEveryTime) {
  configure(twoTokens());
  EXPECT_TRUE(entries(enumerateTokenCertificates("/nonexistent/Av337CryptokiD.so")).empty());
  EXPECT_TRUE(entries(enumerateTokenCertificates("/nonexistent/Av337CryptokiD.so")).empty());
}

TEST_F(TokenCertificates, EveryCallLoadsAndFinalisesTheModuleAnew) {
  configure(twoTokens());
  EXPECT_EQ(entries(enumerate()), kTwoTokensEntries);
  EXPECT_EQ(entries(enumerate()), kTwoTokensEntries);
  EXPECT_EQ(counter("initialize"), 2u);
  EXPECT_EQ(counter("loads"), 2u);
  expectNothingLeftOpen();
}

TEST_F(TokenCertificates, ShortSerialsArePaddedAfterTheirZ) {
  configure(tokenSlot("T") + keyWithCertificate("01", "serial-1-byte.der") +
            keyWithCertificate("02", "serial-00ab.der"));
  EXPECT_EQ(entries(enumerate()), (Entries{kShortEntry, kLeadingZeroEntry}));
}

TEST_F(TokenCertificates, SerialWithTwoByteLengthShowsItsContent) {
  configure(tokenSlot("T") + keyWithCertificate("01", "serial-130-bytes.der"));
  EXPECT_EQ(entries(enumerate()), (Entries{"Long Serial (01ababab)"}));
}

TEST_F(TokenCertificates, SubjectWithoutCommonNameGivesAnEmptyName) {
  configure(tokenSlot("T") + keyWithCertificate("01", "no-common-name.der"));
  EXPECT_EQ(entries(enumerate()), (Entries{" (2233Z   )"}));
}

TEST_F(TokenCertificates, OnlyCertificatesOfTokenKeysOfTheVendorTypeAreListed) {
  configure(tokenSlot("T") +
            key("01") +                                                   // no certificate
            key("02") + "object class=certificate id=02 value=\"\"\n" +   // empty certificate value
            "object class=public_key key_type=0x0 id=03\n" + certificate("03", "owner-serial-4-bytes.der") +
            key("04", "token=false") + certificate("04", "owner-serial-4-bytes.der") +
            key("05", "private=true") + certificate("05", "owner-serial-4-bytes.der") +
            certificate("06", "owner-serial-4-bytes.der") +               // no key
            keyWithCertificate("07", "serial-1-byte.der"));
  EXPECT_EQ(entries(enumerate()), (Entries{kShortEntry}));
  expectNothingLeftOpen();
}

TEST_F(TokenCertificates, TwoTokensWithThreeCertificatesEach) {
  configure(tokenSlot("A") + keyWithCertificate("01", "owner-serial-4-bytes.der") +
            keyWithCertificate("02", "serial-1-byte.der") + keyWithCertificate("03", "serial-00ab.der") +
            tokenSlot("B") + keyWithCertificate("01", "cn-test-serial-5-bytes.der") +
            keyWithCertificate("02", "no-common-name.der") + keyWithCertificate("03", "serial-130-bytes.der"));
  EXPECT_EQ(entries(enumerate()), (Entries{kOwnerEntry, kShortEntry, kLeadingZeroEntry, kCyrillicEntry,
                                           " (2233Z   )", "Long Serial (01ababab)"}));
}

TEST_F(TokenCertificates, UnparsableCertificateEndsOnlyItsToken) {
  configure(tokenSlot("A") + keyWithCertificate("01", "owner-serial-4-bytes.der") +
            keyWithCertificate("02", "not-a-certificate.der") + keyWithCertificate("03", "serial-1-byte.der") +
            tokenSlot("B") + keyWithCertificate("01", "serial-00ab.der"));
  EXPECT_EQ(entries(enumerate()), (Entries{kOwnerEntry, kLeadingZeroEntry}));
  expectNothingLeftOpen();
}

TEST_F(TokenCertificates, MoreThanTenCertificatesKeepTheFirstTen) {
  std::string config = tokenSlot("A");
  for (int i = 0; i < 9; ++i) config += keyWithCertificate("0" + std::to_string(i), "owner-serial-4-bytes.der");
  config += tokenSlot("B") + keyWithCertificate("01", "serial-1-byte.der") +
            keyWithCertificate("02", "serial-00ab.der") + tokenSlot("C") +
            keyWithCertificate("01", "serial-00ab.der");
  configure(config);
  const TokenCertificateList list = enumerate();
  Entries expected(9, kOwnerEntry);
  expected.push_back(kShortEntry);
  EXPECT_EQ(entries(list), expected);
  // Once the list is full no further slot is opened.
  EXPECT_EQ(counter("sessions_opened"), 2u);
  expectNothingLeftOpen();
}

TEST_F(TokenCertificates, MoreThanThirtyTwoTokenSlotsGiveAnEmptyList) {
  std::string config;
  for (int i = 0; i < 33; ++i) config += tokenSlot("T" + std::to_string(i)) + keyWithCertificate("01", "serial-1-byte.der");
  configure(config);
  EXPECT_TRUE(entries(enumerate()).empty());
  expectNothingLeftOpen();
}

TEST_F(TokenCertificates, ThirtyTwoTokenSlotsAreAllRead) {
  std::string config;
  for (int i = 0; i < 32; ++i) config += tokenSlot("T" + std::to_string(i)) + key("01");
  config += keyWithCertificate("02", "serial-1-byte.der");  // on the 32nd token
  configure(config);
  EXPECT_EQ(entries(enumerate()), (Entries{kShortEntry}));
}

// Failure rows: a fault at one call and the list it leaves.
struct FaultCase {
  const char* name;
  const char* fault;
  Entries expected;
};

class TokenCertificateFaults : public TokenCertificates, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(TokenCertificateFaults, ShortenTheListAndLeaveNothingOpen) {
  configure(twoTokens() + "fault " + GetParam().fault + "\n");
  EXPECT_EQ(entries(enumerate()), GetParam().expected);
  expectNothingLeftOpen();
}

// Calls in twoTokens(), per token: C_OpenSession, the key search
// (C_FindObjectsInit, C_FindObjects until it finds no more, C_FindObjectsFinal), then per key the
// CKA_ID (two C_GetAttributeValue), the certificate search, and the value
// (two more C_GetAttributeValue) when a certificate was found.
INSTANTIATE_TEST_SUITE_P(
    EveryFailureRow, TokenCertificateFaults,
    ::testing::Values(
        FaultCase{"FunctionListFails", "C_GetFunctionList 1 0x5", {}},
        FaultCase{"FunctionListMissing", "C_GetFunctionList 1 ok_null", {}},
        FaultCase{"InitializeFails", "C_Initialize 1 0x6", {}},
        FaultCase{"InitializeAlreadyDone", "C_Initialize 1 0x191", {}},
        FaultCase{"SlotListFails", "C_GetSlotList 1 0x30", {}},
        FaultCase{"SlotListTooSmall", "C_GetSlotList 1 0x150", {}},
        FaultCase{"SlotListCountBeyondArray", "C_GetSlotList 1 ok_count=1000", kTwoTokensEntries},
        FaultCase{"FirstSessionFails", "C_OpenSession 1 0xE0", {kShortEntry}},
        FaultCase{"SecondSessionFails", "C_OpenSession 2 0xB3", {kCyrillicEntry, kOwnerEntry}},
        FaultCase{"KeySearchInitFails", "C_FindObjectsInit 1 0x30", {kShortEntry}},
        FaultCase{"KeySearchFails", "C_FindObjects 1 0x30", {kShortEntry}},
        // The search is asked again until it finds no more; a failure then ends the token too.
        FaultCase{"KeySearchSecondCallFails", "C_FindObjects 2 0x30", {kShortEntry}},
        FaultCase{"KeySearchFinalFails", "C_FindObjectsFinal 1 0x30", {kShortEntry}},
        FaultCase{"KeySearchCountBeyondArray", "C_FindObjects 1 ok_count=1000", kTwoTokensEntries},
        FaultCase{"KeyIdLengthFails", "C_GetAttributeValue 1 0x12", {kOwnerEntry, kShortEntry}},
        FaultCase{"KeyIdValueFails", "C_GetAttributeValue 2 0x150", {kOwnerEntry, kShortEntry}},
        FaultCase{"KeyIdLengthUnusable", "C_GetAttributeValue 1 ok_length=0xFFFFFFFF", {kOwnerEntry, kShortEntry}},
        FaultCase{"KeyIdLengthGrows", "C_GetAttributeValue 2 ok_length=200", {kOwnerEntry, kShortEntry}},
        FaultCase{"CertificateSearchInitFails", "C_FindObjectsInit 2 0x30", {kOwnerEntry, kShortEntry}},
        FaultCase{"CertificateSearchFails", "C_FindObjects 3 0x30", {kOwnerEntry, kShortEntry}},
        // The search the module failed to end blocks every later search on that token.
        FaultCase{"CertificateSearchFinalFails", "C_FindObjectsFinal 2 0x30", {kShortEntry}},
        FaultCase{"CertificateValueLengthFails", "C_GetAttributeValue 3 0x30", {kOwnerEntry, kShortEntry}},
        FaultCase{"CertificateValueFails", "C_GetAttributeValue 4 0x30", {kOwnerEntry, kShortEntry}},
        FaultCase{"CertificateValueLengthUnusable", "C_GetAttributeValue 3 ok_length=0x80000000",
                  {kOwnerEntry, kShortEntry}},
        // 20 bytes are no certificate: the rest of the token is skipped.
        FaultCase{"CertificateValueCutShort", "C_GetAttributeValue 4 ok_length=20", {kShortEntry}},
        FaultCase{"CloseSessionFails", "C_CloseSession 1 0x30", kTwoTokensEntries},
        FaultCase{"FinalizeFails", "C_Finalize 1 0x30", kTwoTokensEntries}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

// Modules that hand out search results in batches smaller than asked.
struct ModuleCase {
  const char* name;
  const char* settings;
};

class TokenCertificatesOfModule : public TokenCertificates, public ::testing::WithParamInterface<ModuleCase> {
 protected:
  void configureModule(const std::string& config) { configure(GetParam().settings + config); }
};

TEST_P(TokenCertificatesOfModule, EveryCertificateIsListed) {
  configureModule(twoTokens());
  EXPECT_EQ(entries(enumerate()), kTwoTokensEntries);
  EXPECT_EQ(counter("call.C_FindObjectsFinal"), counter("call.C_FindObjectsInit"));
  expectNothingLeftOpen();
}

TEST_P(TokenCertificatesOfModule, The100thKeyIsReadAndThe101stIsNot) {
  std::string config = tokenSlot("A");
  for (int i = 1; i < 100; ++i) config += key(std::to_string(1000 + i));
  config += keyWithCertificate("1100", "serial-1-byte.der") + keyWithCertificate("1101", "serial-00ab.der");
  configureModule(config);
  EXPECT_EQ(entries(enumerate()), (Entries{kShortEntry}));
  expectNothingLeftOpen();
}

// Every call the enumeration makes, failed in turn: no crash, the entries are
// those of the clean run with some left out, and nothing stays open.
TEST_P(TokenCertificatesOfModule, AFaultAtAnyCallOnlyShortensTheList) {
  configureModule(twoTokens());
  ASSERT_EQ(entries(enumerate()), kTwoTokensEntries);
  std::map<std::string, unsigned long> calls;
  for (const auto& counter : counters()) {
    if (counter.first.rfind("call.", 0) == 0) calls[counter.first.substr(5)] = counter.second;
  }
  ASSERT_GE(calls.size(), 9u);

  for (const auto& call : calls) {
    for (unsigned long n = 1; n <= call.second; ++n) {
      SCOPED_TRACE(call.first + " call " + std::to_string(n));
      configureModule(twoTokens() + "fault " + call.first + " " + std::to_string(n) + " 0x30\n");
      const Entries found = entries(enumerate());
      // found must be a subsequence of the clean run's entries.
      size_t next = 0;
      for (const std::string& entry : found) {
        while (next < kTwoTokensEntries.size() && kTwoTokensEntries[next] != entry) ++next;
        EXPECT_LT(next, kTwoTokensEntries.size()) << entry;
        ++next;
      }
      expectNothingLeftOpen();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Modules, TokenCertificatesOfModule,
                         ::testing::Values(ModuleCase{"AllAtOnce", ""},
                                           ModuleCase{"OneHandlePerCall", "search_batch 1\n"}),
                         [](const ::testing::TestParamInfo<ModuleCase>& info) { return std::string(info.param.name); });

#if defined(_WIN32)
// The driver's module is taken from the system directory, where the driver
// installs it.
TEST_F(TokenCertificates, TheTokenModuleIsLoadedFromTheSystemDirectory) {
  char directory[MAX_PATH];
  const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
  ASSERT_TRUE(length > 0 && length < MAX_PATH);
  const std::string installed = std::string(directory) + "\\" + kTokenModuleName;
  ASSERT_TRUE(CopyFileA(moduleFile(), installed.c_str(), FALSE)) << installed;
  configure(twoTokens());
  EXPECT_EQ(entries(enumerateTokenCertificates()), kTwoTokensEntries);
  expectNothingLeftOpen();
}
#endif
