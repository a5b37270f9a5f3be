// ChangePassword, ChangePasswordFile, ChangePin.
#include <gtest/gtest.h>

#include "nolm_world.h"

namespace {

void setSecrets(PluginHost& host, const std::string& oldValue, const std::string& newValue) {
  host.setVar(VAR_2, oldValue);
  host.setVar(VAR_3, newValue);
}

TEST(ChangePasswordFile, TheNewPasswordOpensTheKeyAndTheOldNoLonger) {
  NolmWorld world("");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  std::string key = world.path("AB123456.KEY");
  writeFile(key, "NOLM-STANDIN-KEY 1\r\npassword = old\r\n");
  host.setVar(VAR_1, key);
  setSecrets(host, "old", "new");
  host.call("ChangePasswordFile");
  EXPECT_EQ(host.var(VAR_0), "1");
  EXPECT_EQ(world.call("NolmChangePsw"), "NolmChangePsw(" + logged(key) + ", " + fieldHex("old") +
                                             ", " + fieldHex("new") + ", 0) -> 0 | file=" +
                                             logged(key));
  host.call("ChangePasswordFile");  // "old" is wrong now
  EXPECT_EQ(host.var(VAR_0), "");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text, "Невірний пароль ключа");
}

TEST(ChangePassword, CardKeyThroughTheCurrentReader) {
  NolmWorld world("[reader R]\nkey.AB123456 = old\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.setVar(VAR_1, "AB123456");
  setSecrets(host, std::string(40, 'o'), "new");
  host.call("ChangePassword");
  EXPECT_EQ(host.var(VAR_0), "");  // 40 characters cut to 32 are not "old"
  EXPECT_EQ(world.call("NolmChangePswCC"),
            "NolmChangePswCC(\"AB123456\", " + fieldHex(std::string(32, 'o')) + ", " +
                fieldHex("new") + ", 0, \"\") -> 101");
  PluginHost::messageBoxes().clear();
  setSecrets(host, "old", "new");
  host.call("ChangePassword");
  EXPECT_EQ(host.var(VAR_0), "1");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
}

TEST(ChangePin, ReaderCardGetsPasswordFields) {
  NolmWorld world("[reader R]\npin = 1111\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.push("plc:");  // not the plastic card marker: case matters
  setSecrets(host, "1111", "2222");
  host.call("ChangePin");
  EXPECT_EQ(host.var(VAR_0), "1");
  EXPECT_EQ(world.call("NCCchangePIN"),
            "NCCchangePIN(\"\", " + fieldHex("1111") + ", " + fieldHex("2222") + ") -> 0");
  EXPECT_EQ(world.callCount("KMGetFuncs"), 0);
}

TEST(ChangePin, PlasticCardTakesThePinTextsWholeAndIsClosed) {
  NolmWorld world("[plastic card]\npin = 1234\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  std::string longPin(40, '5');
  host.push("PLC:");
  setSecrets(host, "1234", longPin);
  host.call("ChangePin");
  // The stand-in refuses PINs over 32 characters; what matters is what it got.
  EXPECT_EQ(world.call("card.changePIN"), "card.changePIN(\"1234\", \"" + longPin + "\") -> 162");
  PluginHost::messageBoxes().clear();
  world.clearLog();
  host.push("PLC:");
  setSecrets(host, "1234", "5678");
  host.call("ChangePin");
  EXPECT_EQ(host.var(VAR_0), "1");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
  std::vector<std::string> log = world.log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0], "KMGetFuncs(\"PLC:\") -> table");
  EXPECT_EQ(log[1], "card.open(\"1234\", 0) -> 0");
  EXPECT_EQ(log[2], "card.changePIN(\"1234\", \"5678\") -> 0");
  EXPECT_EQ(log[3], "card.close() -> 0");
}

TEST(ChangePin, WrongPinOnThePlasticCard) {
  NolmWorld world("[plastic card]\npin = 1234\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.push("PLC:");
  setSecrets(host, "9999", "5678");
  host.call("ChangePin");
  EXPECT_EQ(host.var(VAR_0), "");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text, "Невірний PIN-код (код 160)");
  EXPECT_EQ(PluginHost::messageBoxes()[0].caption, "Помилка роботи з Plastic Card(init)");
  EXPECT_EQ(PluginHost::messageBoxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(world.callCount("card.close"), 0);
}

TEST(ChangePin, RefusedChangeStillClosesTheCard) {
  NolmWorld world("result.card.changePIN = 7\n[plastic card]\npin = 1234\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.push("PLC:");
  setSecrets(host, "1234", "5678");
  host.call("ChangePin");
  EXPECT_EQ(host.var(VAR_0), "");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text, "Невірне значення аргументу (код 7)");
  EXPECT_EQ(PluginHost::messageBoxes()[0].caption, "Помилка роботи з Plastic Card(chPIN)");
  EXPECT_EQ(world.callCount("card.close"), 1);
}

TEST(ChangePin, NoCardFunctionTableIsAClearFailure) {
  NolmWorld world("result.KMGetFuncs = null\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.push("PLC:");
  host.call("ChangePin");
  EXPECT_EQ(host.var(VAR_0), "");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(world.callCount("card.open"), 0);
}

// The large-strings NSIS build: every variable and stack entry at full length.
TEST(LongInputs, NothingOverflowsWith8191CharacterInputs) {
  NolmWorld world("[reader R]\n[plastic card]\n", 8192);
  PluginHost& host = world.host();
  std::string full(8191, 'z');
  for (int i = 0; i < VAR_COUNT; ++i) host.setVar(i, full);
  for (const char* name : {"OpenNolm", "LoadKey", "LoadKeyCC", "KeyGenCC", "KeyGenFile",
                           "ChangePassword", "ChangePasswordFile", "ChangePin",
                           "GetCertFirstInfo", "GetCertNextInfo", "CloseNolm"}) {
    SCOPED_TRACE(name);
    for (int i = 0; i < 3; ++i) host.push(full);
    host.call(name);  // checks the guard bytes and every pushed entry
    host.clearStack();
    for (int i = 0; i < VAR_COUNT; ++i) host.setVar(i, full);
  }
  host.push("PLC:");
  host.call("ChangePin");
}

}  // namespace
