// The language of the plug-in's texts: the one a script chose, kept for the
// rest of the installer's run.
#pragma once

// In the order of the catalogue's columns.
enum class Language : unsigned char { kDefault, kUkrainian, kEnglish };

Language currentLanguage();
// Tells the support log when the language changes.
void setCurrentLanguage(Language language);
// "" for the default texts, "uk", "en".
const char* languageName(Language language);

// The language of a Windows LANGID, as NSIS's $LANGUAGE holds it: Ukrainian
// (1058) and every English one (1033, 2057, ...) have texts of their own;
// any other gets the default texts.
Language languageOfLangId(long langId);
