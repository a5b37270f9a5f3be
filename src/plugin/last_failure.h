// What a script can learn after any command (LastError), and whether the
// plug-in may show message boxes at all (Quiet).
#pragma once

#include "notices.h"

// A command begins: no failure yet.
void forgetLastFailure();
// Every notice of the binding and the dialogs comes here: failures and
// warnings are kept for LastError, and shown unless the plug-in is quiet.
void receiveNotice(const Notice& notice);
// The user left a dialog with Cancel, Esc or the close box: a failure the
// script learns of only through LastError.
void recordCancel();

int lastFailureCode();
const wchar_t* lastFailureText();

// While quiet no message box is shown; dialogs that ask for input still open.
void setQuiet(bool quiet);
bool isQuiet();
