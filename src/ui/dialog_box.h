#pragma once

#include <windows.h>

// Runs one of the plug-in's dialogs modally. The templates exist in one
// language only and are looked up in that language, whatever language the
// installer has set for its thread; the words shown come from the catalogue
// (dialog_texts.h), which the dialog procedure sets on WM_INITDIALOG.
INT_PTR runDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM parameter);
