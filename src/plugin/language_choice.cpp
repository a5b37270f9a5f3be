#include "language_choice.h"

#include <cwchar>

#include "host_context.h"
#include "language.h"

namespace {

bool automatic = false;

// $LANGUAGE holds the installer's LANGID in decimal.
long installerLangId() {
  const HostChar* text = variableSlot(VAR_LANGUAGE);
  long value = 0;
  for (int i = 0; text && i < 9 && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

}  // namespace

bool chooseLanguage(const wchar_t* value) {
  static const struct {
    const wchar_t* name;
    Language language;
  } kChoices[] = {{L"", Language::kDefault}, {L"uk", Language::kUkrainian}, {L"en", Language::kEnglish}};
  if (std::wcscmp(value, L"auto") == 0) {
    automatic = true;
    followInstallerLanguage();
    return true;
  }
  for (const auto& choice : kChoices) {
    if (std::wcscmp(value, choice.name) != 0) continue;
    automatic = false;
    setCurrentLanguage(choice.language);
    return true;
  }
  return false;
}

void followInstallerLanguage() {
  if (automatic) setCurrentLanguage(languageOfLangId(installerLangId()));
}
