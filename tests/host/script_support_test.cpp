// What unattended installers need: LastError after each kind of failure,
// Quiet keeping every box away, SaveKeyRequest.
#include <gtest/gtest.h>

#include "nolm_world.h"

namespace {

void quiet(PluginHost& host, const char* on) {
  host.push(on);
  host.call("Quiet");
}

struct Mode {
  const char* quiet;
  const char* log;  // "": none; "env": QELTNSIS_LOG; else a path given to Log
};

std::string environmentLogPath() {
  char directory[MAX_PATH];
  GetTempPathA(MAX_PATH, directory);
  return std::string(directory) + "qelt-support-" + flavourName() + ".log";
}

// Each failure road, loud and then quiet: the same outputs and LastError,
// and no box while quiet. A support log, or one that cannot be written,
// changes none of it.
TEST(LastError, TellsEveryKindOfFailureAndQuietShowsNone) {
  const std::string logPath = environmentLogPath();
  DeleteFileA(logPath.c_str());
  for (const Mode& mode : {Mode{"0", ""}, Mode{"1", ""}, Mode{"0", "Z:\\no\\such\\folder\\support.log"},
                           Mode{"1", "env"}}) {
    SCOPED_TRACE(std::string("quiet ") + mode.quiet + ", log " + mode.log);
    const bool fromEnvironment = std::string(mode.log) == "env";
    SetEnvironmentVariableA("QELTNSIS_LOG", fromEnvironment ? logPath.c_str() : nullptr);
    NolmWorld world("[reader R]\n[plastic card]\npin = 1234\n");
    SetEnvironmentVariableA("QELTNSIS_LOG", nullptr);
    ASSERT_TRUE(world.open());
    PluginHost& host = world.host();
    quiet(host, mode.quiet);
    PluginHost::messageBoxes().clear();
    if (*mode.log && !fromEnvironment) {
      host.push(mode.log);
      host.call("Log");
      EXPECT_EQ(host.var(VAR_0), "") << "the log cannot be written";
      EXPECT_EQ(lastError(host).code, "0");
    }

    host.setVar(VAR_R0, world.path("nowhere"));
    host.call("InitNolm");
    EXPECT_EQ(host.var(VAR_0), "");
    Failure load = lastError(host);
    EXPECT_EQ(load.code, "126");
    EXPECT_NE(load.text.find("Код помилки: 126"), std::string::npos) << load.text;
    EXPECT_EQ(lastError(host).code, "126") << "LastError keeps what it tells";
    // The tests load the test kit's simulator, which says so; any other
    // success leaves no failure.
    host.setVar(VAR_R0, nolmStandinDirectory("lib"));
    host.call("InitNolm");
    EXPECT_EQ(lastError(host).code, "9008");
    host.call("OpenNolm");
    EXPECT_EQ(lastError(host).code, "0");
    EXPECT_EQ(lastError(host).text, "");

    writeFile(world.path("AB123456.KEY"), "NOLM-STANDIN-KEY 1\r\npassword = secret\r\n");
    host.setVar(VAR_R0, "not loaded");
    host.setVar(VAR_2, "wrong");
    host.setVar(VAR_3, world.dataDirectory());
    host.setVar(VAR_4, "AB123456.KEY");
    host.call("LoadKey");
    EXPECT_EQ(host.var(VAR_R0), "not loaded");
    EXPECT_EQ(lastError(host).code, "101");

    host.push("PLC:");
    host.setVar(VAR_2, "9999");
    host.setVar(VAR_3, "5678");
    host.call("ChangePin");
    EXPECT_EQ(host.var(VAR_0), "");
    Failure card = lastError(host);
    EXPECT_EQ(card.code, "160");
    EXPECT_EQ(card.text, "Невірний PIN-код (код 160)");

    // The key exists: "1", and the request waits for SaveKeyRequest.
    host.setVar(VAR_1, "AB123456");
    host.setVar(VAR_2, "secret");
    host.setVar(VAR_3, world.path("no-such-folder") + "\\");
    host.call("KeyGenCC");
    EXPECT_EQ(host.var(VAR_0), "1");
    EXPECT_EQ(lastError(host).code, "9003");
    host.push(world.path("saved.req"));
    host.call("SaveKeyRequest");
    EXPECT_EQ(host.var(VAR_0), "1");
    EXPECT_EQ(readFile(world.path("saved.req")).size(), 174u);
    host.call("FreeNolm");
    host.push(world.path("again.req"));
    host.call("SaveKeyRequest");
    EXPECT_EQ(host.var(VAR_0), "");
    EXPECT_EQ(lastError(host).code, "9007");

    // Loud: the load, the PIN, the request file and the missing request.
    size_t expectedBoxes = *mode.quiet == '1' ? 0u : 4u;
    EXPECT_EQ(PluginHost::messageBoxes().size(), expectedBoxes);
  }
  // The environment's log was opened when the plug-in was loaded.
  EXPECT_NE(readFile(logPath).find("< SaveKeyRequest: error flag set, LastError 9007"), std::string::npos);
}

// Loud, the user sees the card's failure and leaves an empty key list; quiet,
// nobody would: no dialog, and LastError keeps the card's code.
TEST(Quiet, AnUnreadablePlasticCardOpensNoDialog) {
  NolmWorld world("result.card.open = 224\n[plastic card]\n");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  quiet(host, "1");
  host.push("PLC:");
  host.call("ReadFolderKey");
  EXPECT_EQ(host.var(VAR_0), "");
  EXPECT_EQ(lastError(host).code, "224");
  EXPECT_TRUE(PluginHost::messageBoxes().empty());
  quiet(host, "0");
}

TEST(LastError, RefusedTextHasThePluginsCode) {
  if (testFlavour() != Flavour::kUnicode) GTEST_SKIP() << "Unicode installers only";
  NolmWorld world("");
  ASSERT_TRUE(world.open());
  PluginHost& host = world.host();
  host.setVarWide(VAR_2, L"пароль日本");
  host.call("LoadKey");
  Failure refused = lastError(host);
  EXPECT_EQ(refused.code, "9001");
  EXPECT_NE(refused.text.find("Windows-1251"), std::string::npos);
}

}  // namespace
