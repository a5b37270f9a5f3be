// KeyGenCC and KeyGenFile: the random text, the request file, failures.
#include <gtest/gtest.h>

#include <regex>

#include "nolm_world.h"

namespace {

// The random text argument of a logged KeyGenX / KeyGenXCC call.
std::string randomHex(const std::string& line) {
  std::smatch m;
  EXPECT_TRUE(std::regex_search(line, m, std::regex("hex:[0-9a-f]{66}, (hex:[0-9a-f]{66}), 0")))
      << line;
  return m.size() > 1 ? m[1].str() : "";
}

std::string requestBytes(const std::string& line) {
  std::smatch m;
  if (!std::regex_search(line, m, std::regex("request=hex:([0-9a-f]+)"))) return "";
  std::string bytes;
  for (size_t i = 0; i + 1 < m[1].length(); i += 2)
    bytes.push_back(static_cast<char>(std::stoi(m[1].str().substr(i, 2), nullptr, 16)));
  return bytes;
}

void expectRandomText(const std::string& hex) {
  ASSERT_EQ(hex.size(), 70u);
  for (size_t i = 4; i < 68; i += 2) {
    EXPECT_EQ(hex[i], '3') << hex;  // '0'..'9' are 0x30..0x39
    EXPECT_TRUE(hex[i + 1] >= '0' && hex[i + 1] <= '9') << hex;
  }
  EXPECT_EQ(hex.substr(68), "00");
}

TEST(KeyGenCC, WritesTheRequestFileNamedAfterTheKey) {
  NolmWorld world("[reader R]\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  std::string directory = world.dataDirectory() + "\\";
  writeFile(directory + "AB123456.req", std::string(500, 'o'));  // replaced
  host.setVar(VAR_1, "AB123456");
  host.setVar(VAR_2, "secret");
  host.setVar(VAR_3, directory);
  host.call("KeyGenCC");
  EXPECT_EQ(host.var(VAR_0), "1");
  EXPECT_EQ(host.var(VAR_3), directory + "AB123456.req");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
  std::string line = world.call("KeyGenXCC");
  EXPECT_EQ(line.rfind("KeyGenXCC(\"AB123456\", buffer, " + fieldHex("secret") + ", hex:", 0), 0u);
  EXPECT_NE(line.find(", 0, \"\") -> 0"), std::string::npos);
  expectRandomText(randomHex(line));
  std::string request = readFile(directory + "AB123456.req");
  EXPECT_EQ(request.size(), 174u);
  EXPECT_EQ(request, requestBytes(line));
}

TEST(KeyGenCC, EachGenerationGetsFreshRandomness) {
  NolmWorld world("[reader R]\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  std::string first, second;
  for (std::string* out : {&first, &second}) {
    world.clearLog();
    host.setVar(VAR_1, "AB123456");
    host.setVar(VAR_3, world.dataDirectory() + "\\");
    host.call("KeyGenCC");
    *out = randomHex(world.call("KeyGenXCC"));
  }
  EXPECT_NE(first, second);
}

TEST(KeyGenCC, LongKeyNamesNameTheFileByTheirFirstEightCharacters) {
  NolmWorld world("[reader R]\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.setVar(VAR_1, "AB123456789");
  host.setVar(VAR_3, world.dataDirectory());  // no separator: glued
  host.call("KeyGenCC");
  EXPECT_EQ(host.var(VAR_3), world.dataDirectory() + "AB123456.req");
  EXPECT_TRUE(fileExists(world.dataDirectory() + "AB123456.req"));
  DeleteFileA((world.dataDirectory() + "AB123456.req").c_str());
  EXPECT_EQ(world.call("KeyGenXCC").rfind("KeyGenXCC(\"AB123456789\"", 0), 0u);
}

TEST(KeyGenCC, LibraryFailureLeavesNoFileAndKeepsTheDirectory) {
  NolmWorld world("result.KeyGenXCC = 150\nmessage.150 = Картка відмовила\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.setVar(VAR_1, "AB123456");
  host.setVar(VAR_3, world.dataDirectory() + "\\");
  host.call("KeyGenCC");
  EXPECT_EQ(host.var(VAR_0), "");
  EXPECT_EQ(host.var(VAR_3), world.dataDirectory() + "\\");
  EXPECT_FALSE(fileExists(world.path("AB123456.req")));
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text, "Картка відмовила");
}

TEST(KeyGenCC, UnwritableRequestFileIsReportedButTheKeyExists) {
  NolmWorld world("[reader R]\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  std::string missing = world.path("no-such-folder") + "\\";
  host.setVar(VAR_1, "AB123456");
  host.setVar(VAR_3, missing);
  host.call("KeyGenCC");
  EXPECT_EQ(host.var(VAR_0), "1");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(PluginHost::messageBoxes()[0].text,
            "Помилка відкриття для запису файлу: " + missing + "AB123456.req");
  EXPECT_EQ(PluginHost::messageBoxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

TEST(KeyGenCC, RequestPathTooLongForTheVariableIsRefusedBeforeGenerating) {
  NolmWorld world("[reader R]\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.setVar(VAR_1, "AB123456");
  host.setVar(VAR_3, std::string(1020, 'd'));  // + 12 characters > 1023
  host.call("KeyGenCC");
  EXPECT_EQ(host.var(VAR_0), "");
  EXPECT_EQ(world.callCount("KeyGenXCC"), 0);
  EXPECT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_EQ(host.var(VAR_3), std::string(1020, 'd'));
}

TEST(KeyGenFile, GeneratesAKeyTheLibraryLoadsBack) {
  NolmWorld world("");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  std::string directory = world.dataDirectory() + "\\";
  host.setVar(VAR_1, "AB123456");
  host.setVar(VAR_2, "secret");
  host.setVar(VAR_3, directory);
  host.call("KeyGenFile");
  EXPECT_EQ(host.var(VAR_0), "1");
  EXPECT_EQ(host.var(VAR_3), directory);
  std::vector<std::string> log = world.log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "NolmSetFmode(0, 0) -> 0");
  EXPECT_EQ(log.back().rfind("KeyGenX(\"AB123456\", " + logged(directory) + ", " +
                                 fieldHex("secret") + ", hex:",
                             0),
            0u);
  expectRandomText(randomHex(log.back()));

  host.setVar(VAR_R0, "not loaded");
  host.setVar(VAR_3, world.dataDirectory());
  host.setVar(VAR_4, "AB123456.KEY");
  host.call("LoadKey");
  EXPECT_EQ(host.var(VAR_R0), "");
}

TEST(KeyGenFile, OverlongKeyNameIsRefused) {
  NolmWorld world("");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.setVar(VAR_1, std::string(256, 'n'));
  host.setVar(VAR_3, world.dataDirectory());
  host.call("KeyGenFile");
  EXPECT_EQ(host.var(VAR_0), "");
  EXPECT_EQ(world.callCount("KeyGenX"), 0);
  EXPECT_EQ(PluginHost::messageBoxes().size(), 1u);
}

}  // namespace
