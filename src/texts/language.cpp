#include "language.h"

#include "trace.h"

namespace {

Language current = Language::kDefault;

constexpr long kPrimaryLanguageMask = 0x3FF;
constexpr long kUkrainian = 0x22;
constexpr long kEnglish = 0x09;

}  // namespace

Language currentLanguage() { return current; }

void setCurrentLanguage(Language language) {
  if (language != current) QELT_TRACE("texts: language \"%s\"", languageName(language));
  current = language;
}

const char* languageName(Language language) {
  switch (language) {
    case Language::kUkrainian: return "uk";
    case Language::kEnglish: return "en";
    default: return "";
  }
}

Language languageOfLangId(long langId) {
  if (langId <= 0) return Language::kDefault;
  switch (langId & kPrimaryLanguageMask) {
    case kUkrainian: return Language::kUkrainian;
    case kEnglish: return Language::kEnglish;
    default: return Language::kDefault;
  }
}
