// Language and SetText as a script uses them: the words of the boxes, the
// script's own words with the values put in, and what is refused.
#include <gtest/gtest.h>

#include <string>

#include "plugin_host.h"

namespace {

std::string language(PluginHost& host, const std::wstring& value) {
  host.pushWide(value);
  host.call("Language");
  return host.var(VAR_0);
}

// The id is on top, the words under it.
std::string setText(PluginHost& host, const std::wstring& id, const std::wstring& words) {
  host.pushWide(words);
  host.pushWide(id);
  host.call("SetText");
  return host.var(VAR_0);
}

// Before InitNolm, OpenNolm shows one box: the text function_unavailable
// with the library function's name.
std::wstring unavailableFunctionBox(PluginHost& host) {
  PluginHost::messageBoxes().clear();
  host.push("");
  host.call("OpenNolm");
  host.clearStack();
  EXPECT_EQ(PluginHost::messageBoxes().size(), 1u);
  return PluginHost::messageBoxes().empty() ? L"" : PluginHost::messageBoxes()[0].wideText;
}

TEST(SetText, TheScriptsWordsAreShownWithTheValuesInEveryLanguage) {
  PluginHost host;
  EXPECT_EQ(setText(host, L"function_unavailable", L"Немає функції «%s» (100%%), ґанок."), "1");
  EXPECT_EQ(unavailableFunctionBox(host), L"Немає функції «NolmSetBuf» (100%), ґанок.");
  const Failure failure = lastError(host);
  EXPECT_EQ(failure.code, "9005");
  EXPECT_EQ(failure.text, "Немає функції «NolmSetBuf» (100%), ґанок.");
  EXPECT_EQ(language(host, L"en"), "1");
  EXPECT_EQ(unavailableFunctionBox(host), L"Немає функції «NolmSetBuf» (100%), ґанок.");
  // "" gives the built-in text back.
  EXPECT_EQ(setText(host, L"function_unavailable", L""), "1");
  EXPECT_EQ(unavailableFunctionBox(host),
            L"The library function NolmSetBuf is not available.\nThe library is not loaded, or it lacks the function.");
}

TEST(SetText, WordsOutsideWindows1251AreShownExactly) {
  if (testFlavour() != Flavour::kUnicode) GTEST_SKIP() << "an ANSI installer's words are in its code page";
  PluginHost host;
  // (Kept in variables: the checks' own texts are Windows-1251.)
  const std::wstring words = L"Fonction %s absente — Schlüssel ✓ 日本";
  const std::wstring shown = L"Fonction NolmSetBuf absente — Schlüssel ✓ 日本";
  EXPECT_EQ(setText(host, L"function_unavailable", words), "1");
  EXPECT_EQ(unavailableFunctionBox(host), shown);
}

// A refusal sets LastError and changes nothing: the language and the words
// chosen before stay.
TEST(LanguageAndSetText, RefusalsChangeNothing) {
  PluginHost host;
  ASSERT_EQ(language(host, L"uk"), "1");
  ASSERT_EQ(setText(host, L"function_unavailable", L"Немає %s."), "1");

  EXPECT_EQ(language(host, L"fr"), "");
  Failure failure = lastError(host);
  EXPECT_EQ(failure.code, "9009");
  EXPECT_NE(failure.text.find("«fr»"), std::string::npos) << failure.text;

  for (const wchar_t* words : {L"Немає %d.", L"Немає.", L"Немає %s %s.", L"Немає 5% %s."}) {
    EXPECT_EQ(setText(host, L"function_unavailable", words), "");
    failure = lastError(host);
    EXPECT_EQ(failure.code, "9010");
    // It names the text, and the built-in words whose placeholders it must keep.
    EXPECT_NE(failure.text.find("«function_unavailable»"), std::string::npos) << failure.text;
    EXPECT_NE(failure.text.find("«Функція бібліотеки %s недоступна."), std::string::npos) << failure.text;
  }
  EXPECT_EQ(setText(host, L"no_such_text", L"x"), "");
  EXPECT_EQ(lastError(host).code, "9010");

  EXPECT_EQ(unavailableFunctionBox(host), L"Немає NolmSetBuf.");
  EXPECT_EQ(setText(host, L"function_unavailable", L""), "1");
  EXPECT_EQ(unavailableFunctionBox(host),
            L"Функція бібліотеки NolmSetBuf недоступна.\nБібліотеку не завантажено або в ній немає цієї функції.");
}

}  // namespace
