// OpenNolm, CloseNolm and the certificate walk against the simulated library.
#include <gtest/gtest.h>

#include "nolm_world.h"

namespace {

const UINT kError = MB_ICONERROR;

std::string popAll(PluginHost& host) {
  std::string top;
  EXPECT_TRUE(host.pop(&top));
  return top;
}

TEST(OpenNolm, HandsTheLibraryItsBufferDatabaseCheckAndConfiguration) {
  NolmWorld world("version = 12\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  EXPECT_EQ(host.var(VAR_1), "Версія біблотеки НОЛМ - 12");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
  EXPECT_TRUE(host.stack().empty());
  std::vector<std::string> log = world.log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0], "NolmSetBuf(buffer, 65536) -> 0");
  EXPECT_EQ(log[1], "NolmCheckDB() -> 0");
  EXPECT_EQ(log[2], "NolmGetVer() -> 12");
  EXPECT_EQ(log[3], "NolmOpen(" + logged(world.path("nolm.cfg")) + ", " +
                        logged(world.dataDirectory()) + ", 0) -> 0");
}

TEST(OpenNolm, AddsASeparatorOnlyWhenTheDirectoryLacksOne) {
  NolmWorld world("");
  PluginHost& host = world.host();
  const std::string dir = world.dataDirectory();
  for (const std::string& given : {dir + "\\", dir + "/", std::string()}) {
    world.clearLog();
    host.push(given);
    host.call("OpenNolm");
    std::string expected = given.empty() ? "\\nolm.cfg" : given + "nolm.cfg";
    EXPECT_EQ(world.call("NolmOpen").rfind("NolmOpen(" + logged(expected) + ", " + logged(given) +
                                               ", 0)", 0),
              0u)
        << world.call("NolmOpen");
  }
  // An empty stack reuses the directory popped before.
  host.push(dir);
  host.call("OpenNolm");
  world.clearLog();
  host.call("OpenNolm");
  EXPECT_EQ(host.var(VAR_0), "1");
  EXPECT_NE(world.call("NolmOpen").find(logged(dir) + ", 0)"), std::string::npos);
}

TEST(OpenNolm, DatabaseFailureShowsTheLibraryTextAndPopsNothing) {
  NolmWorld world("database = 120\n");
  PluginHost& host = world.host();
  host.setVar(VAR_1, "old");
  EXPECT_FALSE(world.open());
  EXPECT_EQ(host.var(VAR_1), "");
  EXPECT_EQ(host.stack().size(), 1u);
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text, "Базу даних пошкоджено");
  EXPECT_FALSE(PluginHost::messageBoxes()[0].hasCaption);
  EXPECT_EQ(PluginHost::messageBoxes()[0].type & MB_ICONMASK, kError);
  EXPECT_EQ(world.callCount("NolmOpen"), 0);
}

TEST(OpenNolm, OpenFailureKeepsTheVersionText) {
  NolmWorld world("open = 5\nmessage.5 = Не вдалося відкрити\n");
  EXPECT_FALSE(world.open());
  EXPECT_EQ(world.host().var(VAR_1), "Версія біблотеки НОЛМ - 5");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text, "Не вдалося відкрити");
  EXPECT_TRUE(world.host().stack().empty());
}

TEST(OpenNolm, DirectoryTooLongForTheConfigurationPathIsRefused) {
  NolmWorld world("", 8192);
  PluginHost& host = world.host();
  host.push(std::string(1015, 'd'));  // + "\nolm.cfg" is 1024 characters
  host.call("OpenNolm");
  EXPECT_EQ(host.var(VAR_0), "");
  EXPECT_EQ(world.callCount("NolmOpen"), 0);
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_NE(PluginHost::messageBoxes()[0].text.find("nolm.cfg"), std::string::npos);

  PluginHost::messageBoxes().clear();
  host.push(std::string(1014, 'd'));  // exactly 1023: still fits
  host.call("OpenNolm");
  EXPECT_EQ(world.callCount("NolmOpen"), 1);
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
}

TEST(CloseNolm, ReportsOnlyFailures) {
  NolmWorld world("");
  ASSERT_TRUE(world.open());
  world.host().call("CloseNolm");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
  EXPECT_EQ(world.call("NolmClose"), "NolmClose(0) -> 0");
  world.configure("close = 90\n");
  world.host().call("CloseNolm");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text, "Nolm error 90");
}

const char kCertificates[] =
    "[certificate]\nid = AA000001\nname = Перший\nend = 2030-01-01\n"
    "[certificate]\nid = AB1234XY\nname = Власний\nend = 2025-05-05\n"
    "[certificate]\nid = AB1234ZZ\nname = Інший власник\nend = 0x4F21\n"
    "[certificate]\nid = CD5678QQ\nname = Чужий\nend = 2026-06-06\n"
    "[certificate]\nid = \"AB1 34QQ\"\nname = Пробіл\nend = 2026-06-06\n"
    "[certificate]\nid = AB1234NT\nname = ";

TEST(CertificateListing, WalksWithTheFilterAndEndsWithEnd) {
  NolmWorld world(std::string(kCertificates) +
                  "1234567890123456789012345678901234567890XYZ\nname-unterminated = yes\n"
                  "end = 2030-12-31\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.setVar(VAR_R1, "ABCD");   // only "AB" counts
  host.setVar(VAR_R2, "123456");  // only "1234" counts
  host.setVar(VAR_R0, "AB1234XY");
  host.call("GetCertFirstInfo");
  EXPECT_EQ(popAll(host), "AA000001 - Перший ");
  std::vector<std::string> lines;
  for (int i = 0; i < 10; ++i) {
    host.call("GetCertNextInfo");
    lines.push_back(popAll(host));
    if (lines.back() == "end") break;
  }
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "");  // the id left out
  EXPECT_EQ(lines[1], "AB1234ZZ - Інший власник (діє до 1/9/2019) ");
  EXPECT_EQ(lines[2], "");  // another prefix
  EXPECT_EQ(lines[3], "");  // a blank as the 4th character
  // A name filling its whole field without a terminator is read to its end.
  EXPECT_EQ(lines[4], "AB1234NT - 1234567890123456789012345678901234567890XY (діє до 31/12/2030) ");
  EXPECT_EQ(lines[5], "end");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
}

TEST(CertificateListing, NoCertificateShowsTheLibraryTextAndPushesNothing) {
  NolmWorld world("");
  ASSERT_TRUE(world.open());
  world.host().call("GetCertFirstInfo");
  EXPECT_TRUE(world.host().stack().empty());
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text, "Сертифікати не знайдено");
  world.host().call("GetCertNextInfo");
  EXPECT_EQ(popAll(world.host()), "end");
  EXPECT_EQ(PluginHost::messageBoxes().size(), 1u) << "the end of the walk is not an error";
}

}  // namespace
