// The catalogue, the language and the script's own words.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "author_texts.h"
#include "placeholders.h"
#include "render.h"
#include "text_1251.h"
#include "text_id.h"

namespace {

std::wstring wide(const char* text1251) {
  wchar_t out[2048];
  wideFrom1251(text1251, out, 2048);
  return out;
}

std::wstring builtin(TextId id, Language language) { return wide(builtinText(id, language)); }

// Each test leaves the texts as it found them: default language, no words of
// the script.
class Texts : public ::testing::Test {
 protected:
  void TearDown() override {
    setCurrentLanguage(Language::kDefault);
    for (int i = 0; i < kTextCount; ++i) setAuthorText(static_cast<TextId>(i), L"");
  }
};

TEST_F(Texts, EveryTextHasEveryLanguageWithTheSamePlaceholders) {
  std::set<std::string> names;
  for (int i = 0; i < kTextCount; ++i) {
    const TextId id = static_cast<TextId>(i);
    const std::string name = textName(id);
    SCOPED_TRACE(name);
    EXPECT_TRUE(names.insert(name).second) << "the id is there twice";
    EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyz_"), std::string::npos);
    TextId found;
    ASSERT_TRUE(findTextId(std::wstring(name.begin(), name.end()).c_str(), &found));
    EXPECT_EQ(found, id);
    const std::wstring text = builtin(id, Language::kDefault);
    for (Language language : {Language::kDefault, Language::kUkrainian, Language::kEnglish}) {
      const std::wstring translated = builtin(id, language);
      EXPECT_FALSE(translated.empty()) << languageName(language);
      EXPECT_TRUE(samePlaceholders(translated.c_str(), text.c_str())) << languageName(language);
    }
    for (unsigned char c : std::string(builtinText(id, Language::kEnglish)))
      EXPECT_LT(c, 0x80) << "English with a letter that is not: " << c;
    // Letters and words of the default texts' Russian; Ukrainian has none.
    const std::wstring ukrainian = builtin(id, Language::kUkrainian);
    EXPECT_EQ(ukrainian.find_first_of(L"ыЫэЭёЁъЪ"), std::wstring::npos) << "Russian letter";
    for (const wchar_t* word : {L"дней", L"осталось", L"срока", L"Предупреждение", L"истечения"})
      EXPECT_EQ(ukrainian.find(word), std::wstring::npos) << "Russian word";
  }
  EXPECT_EQ(kTextCount, static_cast<int>(names.size()));
}

TEST_F(Texts, NamesAreFoundExactly) {
  TextId id;
  EXPECT_TRUE(findTextId(L"card_wrong_pin", &id));
  EXPECT_EQ(id, TextId::card_wrong_pin);
  for (const wchar_t* name : {L"", L"Card_wrong_pin", L"card_wrong_pi", L"card_wrong_pin ", L"nothing"})
    EXPECT_FALSE(findTextId(name, &id)) << std::wstring(name).size();
}

std::wstring render(TextId id, ...) {
  wchar_t out[512];
  va_list values;
  va_start(values, id);
  renderTextV(out, 512, id, values);
  va_end(values);
  return out;
}

TEST_F(Texts, TheCurrentLanguageIsShown) {
  EXPECT_EQ(render(TextId::library_version, 5), L"Версія біблотеки НОЛМ - 5");
  setCurrentLanguage(Language::kUkrainian);
  EXPECT_EQ(render(TextId::secret_key_expiring, L"Термін", 12),
            L"Термін\nДнів до закінчення терміну дії таємного ключа: 12");
  setCurrentLanguage(Language::kEnglish);
  EXPECT_EQ(render(TextId::file_not_written, L"C:\\a%d.req"), L"Cannot write the file: C:\\a%d.req");
  EXPECT_EQ(render(TextId::progress_percentage, 45), L"45%");
}

TEST_F(Texts, LanguageOfTheInstallersLangId) {
  EXPECT_EQ(languageOfLangId(1058), Language::kUkrainian);
  for (long english : {1033L, 2057L, 3081L, 4105L}) EXPECT_EQ(languageOfLangId(english), Language::kEnglish);
  for (long other : {1049L, 1031L, 1036L, 0L, -1L}) EXPECT_EQ(languageOfLangId(other), Language::kDefault);
}

TEST_F(Texts, ScriptWordsWithTheSamePlaceholdersAreShownWithTheValues) {
  // Values are put in by the built-in placeholders; a value's own % signs
  // and the script's %% are shown as they are.
  EXPECT_EQ(setAuthorText(TextId::library_not_loaded, L"Не вдалося: %s (помилка %d, 100%%)"),
            AuthorTextResult::kTaken);
  EXPECT_EQ(render(TextId::library_not_loaded, L"C:\\%s%d.dll", 126), L"Не вдалося: C:\\%s%d.dll (помилка 126, 100%)");
  // In every language, until the script takes them back.
  setCurrentLanguage(Language::kEnglish);
  EXPECT_EQ(render(TextId::library_not_loaded, L"x", 5), L"Не вдалося: x (помилка 5, 100%)");
  EXPECT_EQ(setAuthorText(TextId::library_not_loaded, L""), AuthorTextResult::kBuiltinAgain);
  EXPECT_EQ(render(TextId::library_not_loaded, L"x", 5), L"Cannot load the library x.\nError code: 5");
}

TEST_F(Texts, ScriptWordsThatAreTooLongAreCut) {
  ASSERT_EQ(setAuthorText(TextId::ok_button, std::wstring(600, L'я').c_str()), AuthorTextResult::kTaken);
  wchar_t out[8];
  renderText(out, 8, TextId::ok_button);
  EXPECT_EQ(std::wstring(out), L"яяяяяяя");
  ASSERT_EQ(setAuthorText(TextId::card_error, L"%s / %d"), AuthorTextResult::kTaken);
  renderText(out, 8, TextId::card_error, L"abcdef", 12345);
  EXPECT_EQ(std::wstring(out), L"abcdef ");
}

class RefusedWords : public Texts, public ::testing::WithParamInterface<const wchar_t*> {};

// library_not_loaded is "...%s...%d": a script's words must have just those.
TEST_P(RefusedWords, LeaveTheTextAsItWas) {
  ASSERT_EQ(setAuthorText(TextId::library_not_loaded, L"Before: %s, %d"), AuthorTextResult::kTaken);
  EXPECT_EQ(setAuthorText(TextId::library_not_loaded, GetParam()), AuthorTextResult::kPlaceholdersDiffer);
  EXPECT_EQ(render(TextId::library_not_loaded, L"x", 1), L"Before: x, 1");
}

INSTANTIATE_TEST_SUITE_P(Placeholders, RefusedWords,
                         ::testing::Values(L"no placeholder", L"only %s", L"only %d", L"%d then %s",
                                           L"%s %d %d", L"%s %5d", L"%ls %d", L"%s %d %", L"%s %d %n",
                                           L"%s %x", L"100% %s %d"));

}  // namespace
