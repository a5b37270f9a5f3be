// LoadKey and LoadKeyCC: what the library receives and how its result codes
// are judged (loaded, loaded with a warning, silent failure).
#include <gtest/gtest.h>

#include "nolm_world.h"

namespace {

const char kCaption[] = "Предупреждение системы безопасности";
const std::string kZeroField = "hex:" + std::string(66, '0');

void writeKey(NolmWorld& world, const std::string& password) {
  writeFile(world.path("AB123456.KEY"), "NOLM-STANDIN-KEY 1\r\npassword = " + password + "\r\n");
}

void loadKey(NolmWorld& world, const std::string& password) {
  PluginHost& host = world.host();
  host.setVar(VAR_R0, "not loaded");
  host.setVar(VAR_2, password);
  host.setVar(VAR_3, world.dataDirectory());
  host.setVar(VAR_4, "AB123456.KEY");
  host.call("LoadKey");
}

TEST(LoadKey, RightPasswordLoadsSilentlyWithTheFieldsAsSpecified) {
  NolmWorld world("");
  ASSERT_TRUE(world.open());
  writeKey(world, "secret");
  loadKey(world, "secret");
  EXPECT_EQ(world.host().var(VAR_R0), "");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
  std::string path = world.path("AB123456.KEY");
  EXPECT_EQ(world.call("NolmLoadSecKey"), "NolmLoadSecKey(" + logged(path) + ", " +
                                              fieldHex("secret") + ", " + kZeroField +
                                              ", 0) -> 0 | file=" + logged(path));
}

TEST(LoadKey, WrongPasswordIsASilentFailure) {
  NolmWorld world("");
  ASSERT_TRUE(world.open());
  writeKey(world, "secret");
  loadKey(world, "wrong");
  EXPECT_EQ(world.host().var(VAR_R0), "not loaded");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
  EXPECT_NE(world.call("NolmLoadSecKey").find("-> 101"), std::string::npos);
}

TEST(LoadKey, PasswordFieldIsCutOrPaddedTo32Characters) {
  NolmWorld world("result.NolmLoadSecKey = 0\n");
  ASSERT_TRUE(world.open());
  std::string longPassword(40, 'p');
  loadKey(world, longPassword);
  EXPECT_NE(world.call("NolmLoadSecKey").find(fieldHex(std::string(32, 'p'))), std::string::npos);
  world.clearLog();
  loadKey(world, "");
  EXPECT_NE(world.call("NolmLoadSecKey").find(fieldHex("")), std::string::npos);
}

TEST(LoadKey, KeyPathGetsOneSeparatorAndTooLongIsRefused) {
  NolmWorld world("result.NolmLoadSecKey = 0\n", 8192);
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.setVar(VAR_4, "key.dat");
  for (auto [dir, path] : {std::pair<std::string, std::string>{"C:\\keys", "C:\\keys\\key.dat"},
                           {"C:\\keys\\", "C:\\keys\\key.dat"},
                           {"", "\\key.dat"}}) {
    world.clearLog();
    host.setVar(VAR_3, dir);
    host.call("LoadKey");
    EXPECT_EQ(world.call("NolmLoadSecKey").rfind("NolmLoadSecKey(" + logged(path) + ",", 0), 0u);
  }
  world.clearLog();
  host.setVar(VAR_R0, "kept");
  host.setVar(VAR_3, std::string(250, 'k'));  // + "\key.dat" = 258 characters
  host.call("LoadKey");
  EXPECT_EQ(world.callCount("NolmLoadSecKey"), 0);
  EXPECT_EQ(host.var(VAR_R0), "kept");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

struct WarningCase {
  int code;
  enum { kNone, kSecret, kAdmin, kLibraryText, kSilentFailure } expected;
};

class LoadKeyWarnings : public ::testing::TestWithParam<WarningCase> {};

TEST_P(LoadKeyWarnings, AtMostOneWarningInPriorityOrder) {
  const WarningCase& c = GetParam();
  NolmWorld world("days.secret = 12\ndays.admin = 45\nmessage." + std::to_string(c.code) +
                  " = Текст бібліотеки\nresult.NolmLoadSecKey = " + std::to_string(c.code) + "\n");
  ASSERT_TRUE(world.open());
  loadKey(world, "x");
  const auto& boxes = PluginHost::messageBoxes();
  if (c.expected == WarningCase::kSilentFailure) {
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(world.host().var(VAR_R0), "not loaded");
    return;
  }
  EXPECT_EQ(world.host().var(VAR_R0), "");
  if (c.expected == WarningCase::kNone) {
    EXPECT_TRUE(boxes.empty());
    return;
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, kCaption);
  EXPECT_FALSE(boxes[0].hasOwner);
  EXPECT_EQ(boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
  switch (c.expected) {
    case WarningCase::kSecret:
      EXPECT_EQ(boxes[0].text,
                "Текст бібліотеки\nДо истечения срока действия секретного ключа осталось 12 дней");
      EXPECT_EQ(world.callCount("NolmDaysLeftA"), 0);
      break;
    case WarningCase::kAdmin:
      EXPECT_EQ(boxes[0].text,
                "Текст бібліотеки\nДо истечения срока действия ключа администратора осталось 45 дней");
      EXPECT_EQ(world.callCount("NolmDaysLeft"), 0);
      break;
    default:
      EXPECT_EQ(boxes[0].text, "Текст бібліотеки");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, LoadKeyWarnings,
    ::testing::Values(WarningCase{3, WarningCase::kSecret}, WarningCase{7, WarningCase::kSecret},
                      WarningCase{70, WarningCase::kSecret}, WarningCase{4, WarningCase::kAdmin},
                      WarningCase{12, WarningCase::kAdmin}, WarningCase{8, WarningCase::kLibraryText},
                      WarningCase{40, WarningCase::kLibraryText},
                      WarningCase{64, WarningCase::kNone},
                      WarningCase{71, WarningCase::kSilentFailure}));

TEST(LoadKey, AnOverlongLibraryTextIsCutNotOverflowed) {
  NolmWorld world("message.1 = " + std::string(1100, 'L') + "\nresult.NolmLoadSecKey = 1\n");
  ASSERT_TRUE(world.open());
  loadKey(world, "x");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text.size(), 1023u);
  EXPECT_EQ(world.host().var(VAR_R0), "");
}

TEST(LoadKeyCC, ReportsSuccessAndPassesTheCurrentReader) {
  NolmWorld world("[reader Reader One]\nkey.AB123456 = secret\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.setVar(VAR_R0, "not loaded");
  host.setVar(VAR_2, "secret");
  host.setVar(VAR_3, "AB123456");
  host.call("LoadKeyCC");
  EXPECT_EQ(host.var(VAR_R0), "");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text, "P_NolmLoadSecKeyCC - ok");
  EXPECT_EQ(PluginHost::messageBoxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
  // No reader was chosen yet: the library gets the empty name and decides.
  EXPECT_EQ(world.call("NolmLoadSecKeyCC"), "NolmLoadSecKeyCC(\"AB123456\", " + fieldHex("secret") +
                                                ", " + kZeroField + ", 0, \"\") -> 0");
  host.setVar(VAR_R0, "not loaded");
  host.setVar(VAR_2, "wrong");
  host.call("LoadKeyCC");
  EXPECT_EQ(host.var(VAR_R0), "not loaded");
}

// No password may stay behind in the plug-in's memory once a call is done.
TEST(Secrets, NoPasswordRemainsInThePluginImage) {
  const std::string marker = "Zq7-marker-pass";
  const std::string newMarker = "Wv3-marker-new";
  NolmWorld world("[reader R]\nkey.AB123456 = " + marker + "\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.setVar(VAR_1, "AB123456");
  host.setVar(VAR_2, marker);
  host.setVar(VAR_3, world.dataDirectory() + "\\");
  host.call("KeyGenFile");
  host.setVar(VAR_3, world.dataDirectory());
  host.setVar(VAR_4, "AB123456.KEY");
  host.call("LoadKey");
  host.setVar(VAR_3, "AB123456");
  host.call("LoadKeyCC");
  host.setVar(VAR_1, world.path("AB123456.KEY"));
  host.setVar(VAR_3, newMarker);
  host.call("ChangePasswordFile");
  host.push("reader");
  host.call("ChangePin");
  host.setVar(VAR_3, world.dataDirectory() + "\\");
  host.call("KeyGenCC");

  auto* base = reinterpret_cast<const char*>(host.module());
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  std::string image(base, nt->OptionalHeader.SizeOfImage);
  EXPECT_EQ(image.find(marker), std::string::npos);
  EXPECT_EQ(image.find(newMarker), std::string::npos);
}

}  // namespace
