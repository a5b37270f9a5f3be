// The support log on every road that takes a secret: each kind of event is
// there, and not one secret typed or generated is, in any encoding.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "dialog_robot.h"
#include "nolm_world.h"
#include "ui_test_support.h"

namespace {

std::string inUtf8(const std::string& text1251) {
  std::wstring wide = wideFrom1251(text1251);
  std::string out(wide.size() * 3 + 1, '\0');
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), &out[0],
                              static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(n > 0 ? n : 0);
  return out;
}

std::string inUtf16(const std::string& text1251) {
  std::wstring wide = wideFrom1251(text1251);
  return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
}

void expectNowhere(const std::string& log, const std::string& secret) {
  EXPECT_EQ(log.find(secret), std::string::npos) << secret << " in Windows-1251";
  EXPECT_EQ(log.find(inUtf8(secret)), std::string::npos) << secret << " in UTF-8";
  EXPECT_EQ(log.find(inUtf16(secret)), std::string::npos) << secret << " in UTF-16";
}

void expectLine(const std::string& log, const std::string& text1251) {
  EXPECT_NE(log.find(inUtf8(text1251)), std::string::npos) << text1251;
}

// The random text of a logged KeyGenX call: its digits, as the library got them.
std::string randomDigits(const std::string& line) {
  std::smatch m;
  if (!std::regex_search(line, m, std::regex(", hex:([0-9a-f]{66}), 0"))) return "";
  std::string digits;
  for (std::size_t i = 0; i + 2 <= 64; i += 2)
    digits += static_cast<char>(std::stoi(m[1].str().substr(i, 2), nullptr, 16));
  return digits;
}

TEST(SupportLog, ShowsEveryKindOfEventAndNoSecret) {
  REQUIRE_DISPLAY();
  const std::string typed = "ТаємницяПерша1", current = "ТаємницяДруга2", newValue = "ТаємницяТретя3";
  const std::string keyPassword = "КлючовийПароль4", newKeyPassword = "НовийКлючовий5";
  const std::string pin = "Zq7PinOld", newPin = "Zq8PinNew", generated = "ГенерованийКлюч6";
  NolmWorld world("[reader R]\n[plastic card]\npin = " + pin + "\n");
  PluginHost& host = world.host();
  const std::string logPath = world.path("support.log");
  host.push(logPath);
  host.call("Log");
  ASSERT_EQ(host.var(VAR_0), "1");

  host.setVar(VAR_R0, nolmStandinDirectory("lib"));
  host.call("InitNolm");
  ASSERT_TRUE(world.open());
  {
    DialogRobot robot("Вкажіть пароль", [&](HWND dialog) {
      typeText(GetDlgItem(dialog, 1001), typed);
      click(dialog, IDOK);
    });
    host.call("PromptPassword");
    ASSERT_TRUE(robot.finish());
  }
  EXPECT_EQ(host.var(VAR_2), typed);
  {
    DialogRobot robot("Зміна пароля\\пін-кода", [&](HWND dialog) {
      typeText(GetDlgItem(dialog, 1001), current);
      typeText(GetDlgItem(dialog, 1002), newValue);
      typeText(GetDlgItem(dialog, 1003), newValue);
      click(dialog, 3);
    });
    host.call("PromptPasswordChange");
    ASSERT_TRUE(robot.finish());
  }
  EXPECT_EQ(host.var(VAR_3), newValue);

  const std::string key = world.path("AB123456.KEY");
  writeFile(key, "NOLM-STANDIN-KEY 1\r\npassword = " + keyPassword + "\r\n");
  host.setVar(VAR_R0, "not loaded");
  host.setVar(VAR_2, keyPassword);
  host.setVar(VAR_3, world.dataDirectory());
  host.setVar(VAR_4, "AB123456.KEY");
  host.call("LoadKey");
  EXPECT_EQ(host.var(VAR_R0), "");
  host.setVar(VAR_1, key);
  host.setVar(VAR_2, keyPassword);
  host.setVar(VAR_3, newKeyPassword);
  host.call("ChangePasswordFile");
  EXPECT_EQ(host.var(VAR_0), "1");
  host.push("PLC:");
  host.setVar(VAR_2, pin);
  host.setVar(VAR_3, newPin);
  host.call("ChangePin");
  EXPECT_EQ(host.var(VAR_0), "1");
  host.setVar(VAR_1, "CD123456");
  host.setVar(VAR_2, generated);
  host.setVar(VAR_3, world.dataDirectory() + "\\");
  host.call("KeyGenFile");
  EXPECT_EQ(host.var(VAR_0), "1");
  const std::string random = randomDigits(world.call("KeyGenX"));
  ASSERT_EQ(random.size(), 32u);
  host.setVar(VAR_R0, "not loaded");
  host.setVar(VAR_2, "wrong");
  host.setVar(VAR_3, world.dataDirectory());
  host.setVar(VAR_4, "AB123456.KEY");
  host.call("LoadKey");  // a failure the script learns of, without a box
  host.push(world.path("none.req"));
  host.call("SaveKeyRequest");  // a failure in a box
  host.push("");
  host.call("Log");
  EXPECT_EQ(host.var(VAR_0), "1");

  const std::string log = readFile(logPath);
  ASSERT_EQ(log.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
  for (const std::string& secret : {typed, current, newValue, keyPassword, newKeyPassword, pin,
                                    newPin, generated, random, std::string("wrong")})
    expectNowhere(log, secret);
  expectLine(log, std::string("-") + flavourName() + "), log ");                 // the header
  expectLine(log, "ANSI code page ");
  expectLine(log, "nolm32.dll");                                      // a DLL loaded
  expectLine(log, "> LoadKey");                                       // an export
  expectLine(log, "  read $2 *** (15 characters)");                   // a secret input
  expectLine(log, "  set $0 \"1\"");                                  // an output
  expectLine(log, "NolmLoadSecKey(\"" + key + "\", ***, 0) = 101");   // a library call
  expectLine(log, "NolmGetMsgAux(101) = \"Невірний пароль ключа\"");  // its message
  expectLine(log, "  not shown (failure 101): Невірний пароль ключа");
  expectLine(log, "  box (error 9007): Запит ключа не збережено.");  // a box
  expectLine(log, "  answer: OK\r\n");                               // its answer
  expectLine(log, "< LoadKey: error flag set, LastError 101 \"Невірний пароль ключа\"");
  expectLine(log, "  dialog shown: Вкажіть пароль");                  // a dialog
  expectLine(log, "  answer: OK, password *** (14 characters)");      // its answer
  expectLine(log, "KeyGenX(\"CD123456\"");
  expectLine(log, "card.changePin(***, ***) = 0");
  if (HasFailure()) std::printf("%s", log.c_str());
}

}  // namespace
