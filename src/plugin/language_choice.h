// The language a script chose with Language: one of the catalogue's, or
// "auto", which follows the installer's $LANGUAGE at every command. Kept
// for the rest of the installer's run.
#pragma once

// "" (the default texts), "uk", "en" or "auto"; false, and nothing changed,
// for anything else.
bool chooseLanguage(const wchar_t* value);
// With "auto": the language of $LANGUAGE as the command begins.
void followInstallerLanguage();
