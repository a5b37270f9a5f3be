// ReadTokenAvtorKey: a token certificate chosen in the key choice dialog,
// with the stand-in token module in place of the Secure Token's.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "dialog_robot.h"
#include "nsis_plugin_api.h"
#include "plugin_host.h"
#include "screenshot.h"
#include "ui_test_support.h"

namespace {

const char kKeyChoice[] = "Вибір ключа";

class TokenKey : public ::testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_DISPLAY();
  }
  void TearDown() override { _putenv("QELT_TOKEN_CONFIG="); }
  // A token holding the given certificate files, each with its public key.
  void useToken(const std::vector<std::string>& certificates) {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    std::string config = std::string(base) + "qelt_ui_token_" + std::to_string(GetCurrentProcessId()) + ".cfg";
    std::ofstream out(config, std::ios::binary);
    out << "slot description=\"Reader\"\ntoken label=\"Token\" serial=\"0001\"\n";
    int id = 1;
    for (const std::string& file : certificates) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "%04x", id++);
      out << "object class=public_key key_type=0x80420131 id=" << hex << "\n"
          << "object class=certificate id=" << hex << " value_file=" << file << "\n";
      // Files are named relative to the configuration's folder.
      CopyFileA((std::string(QELT_TOKEN_DATA_DIR) + "\\" + file).c_str(),
                (std::string(base) + file).c_str(), FALSE);
    }
    out.close();
    _putenv(("QELT_TOKEN_CONFIG=" + config).c_str());
  }
};

const std::vector<std::string> kFiveCertificates = {
    "owner-serial-4-bytes.der", "serial-00ab.der", "serial-1-byte.der",
    "cn-test-serial-5-bytes.der", "no-common-name.der"};

TEST_F(TokenKey, OffersFourCertificatesAndSplitsTheChosenOne) {
  useToken(kFiveCertificates);
  PluginHost host;
  host.setVar(VAR_0, "stale");
  std::vector<std::string> entries;
  std::string chosen;
  bool screenshot = false;
  DialogRobot robot(kKeyChoice, [&](HWND dialog) {
    HWND list = GetDlgItem(dialog, 1002);
    entries = listEntries(list);
    screenshot = saveScreenshot(dialog, "token_certificate_choice");
    SendMessageA(list, LB_SETCURSEL, entries.size() > 1 ? 1 : 0, 0);
    if (!entries.empty()) chosen = entries[entries.size() > 1 ? 1 : 0];
    click(dialog, 1);
  });
  host.call("ReadTokenAvtorKey");
  ASSERT_TRUE(robot.finish());
  EXPECT_TRUE(screenshot);
  ASSERT_EQ(entries.size(), 4u) << "only the first four certificates are offered";
  ASSERT_GE(chosen.size(), 10u);
  EXPECT_EQ(host.var(VAR_0), chosen.substr(0, chosen.size() - 10));
  EXPECT_EQ(host.var(VAR_1), chosen.substr(chosen.size() - 9, 8));
  EXPECT_EQ(host.var(VAR_0) + "(" + host.var(VAR_1) + ")", chosen);
}

TEST_F(TokenKey, CancelLeavesTheNameEmptyAndTheKeyNumberAlone) {
  useToken(kFiveCertificates);
  PluginHost host;
  host.setVar(VAR_0, "stale");
  host.setVar(VAR_1, "keeps");
  DialogRobot robot(kKeyChoice, [](HWND dialog) { pressCloseBox(dialog); });
  host.call("ReadTokenAvtorKey");
  ASSERT_TRUE(robot.finish());
  EXPECT_EQ(host.var(VAR_0), "");
  EXPECT_EQ(host.var(VAR_1), "keeps");
}

TEST_F(TokenKey, NoTokenGivesAnEmptyListWhereOkDoesNothing) {
  _putenv("QELT_TOKEN_CONFIG=");
  PluginHost host;
  host.setVar(VAR_1, "keeps");
  std::vector<std::string> entries{"?"};
  bool stillOpen = false;
  DialogRobot robot(kKeyChoice, [&](HWND dialog) {
    entries = listEntries(GetDlgItem(dialog, 1002));
    click(dialog, 1);
    stillOpen = IsWindowVisible(dialog) != FALSE;
    click(dialog, 2);
  });
  host.call("ReadTokenAvtorKey");
  ASSERT_TRUE(robot.finish());
  EXPECT_TRUE(entries.empty());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(host.var(VAR_0), "");
  EXPECT_EQ(host.var(VAR_1), "keeps");
}

}  // namespace
