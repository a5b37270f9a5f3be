// Every library export called when the library is not loaded (never, or no
// longer after FreeNolm): a clear message naming the missing function, the
// outputs report failure, nothing is called through a null pointer.
#include <gtest/gtest.h>

#include <string>

#include "plugin_host.h"

namespace {

struct Case {
  const char* exportName;
  const char* function;  // the first library function it needs
};

const Case kCases[] = {
    {"OpenNolm", "NolmSetBuf"},          {"CloseNolm", "NolmClose"},
    {"LoadKey", "NolmLoadSecKey"},       {"LoadKeyCC", "NolmLoadSecKeyCC"},
    {"KeyGenCC", "KeyGenXCC"},           {"KeyGenFile", "NolmSetFmode"},
    {"ChangePassword", "NolmChangePswCC"}, {"ChangePasswordFile", "NolmChangePsw"},
    {"ChangePin", "NCCchangePIN"},       {"GetCertFirstInfo", "NolmCrtFF"},
    {"GetCertNextInfo", "NolmCrtFN"},
};

void expectRefused(PluginHost& host, const Case& c) {
  SCOPED_TRACE(c.exportName);
  PluginHost::messageBoxes().clear();
  host.clearStack();
  host.setVar(VAR_0, "kept?");
  host.setVar(VAR_R0, "kept");
  host.push("C:\\data");
  host.call(c.exportName);
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  const RecordedMessageBox& box = PluginHost::messageBoxes()[0];
  EXPECT_NE(box.text.find(std::string(c.function) + " "), std::string::npos) << box.text;
  EXPECT_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  std::string exportName = c.exportName;
  if (exportName == "CloseNolm" || exportName == "GetCertFirstInfo" ||
      exportName == "GetCertNextInfo" || exportName == "LoadKey" || exportName == "LoadKeyCC") {
    EXPECT_EQ(host.var(VAR_0), "kept?");
  } else {
    EXPECT_EQ(host.var(VAR_0), "") << "failure must not look like success";
  }
  EXPECT_EQ(host.var(VAR_R0), "kept") << "a key that was not loaded";
  if (exportName == "GetCertNextInfo") {
    std::string top;
    ASSERT_TRUE(host.pop(&top));
    EXPECT_EQ(top, "end") << "the script's loop must end";
  }
}

TEST(UnloadedLibrary, BeforeInitNolm) {
  PluginHost host;
  for (const Case& c : kCases) expectRefused(host, c);
}

TEST(UnloadedLibrary, AfterFreeNolm) {
  PluginHost host;
  host.setVar(VAR_R0, nolmStandinDirectory("lib"));
  host.call("InitNolm");
  ASSERT_EQ(host.var(VAR_0), "1");
  host.call("FreeNolm");
  ASSERT_EQ(GetModuleHandleA("nolm32.dll"), nullptr);
  for (const Case& c : kCases) expectRefused(host, c);
}

TEST(UnloadedLibrary, PlasticCardPinChangeWithoutTheLibrary) {
  PluginHost host;
  host.push("PLC:");
  host.call("ChangePin");
  ASSERT_EQ(PluginHost::messageBoxes().size(), 1u);
  EXPECT_NE(PluginHost::messageBoxes()[0].text.find("KMGetFuncs "), std::string::npos);
  EXPECT_EQ(host.var(VAR_0), "");
}

}  // namespace
