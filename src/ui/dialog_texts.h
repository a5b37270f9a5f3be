// The words of the plug-in's dialogs come from the catalogue, in the current
// language (or the script's own): the templates' own are today's defaults.
#pragma once

#include <windows.h>

#include <cstddef>

// The caption that templateId shows.
void dialogCaption(int templateId, wchar_t* out, std::size_t capacity);
// Sets the caption, the labels and the buttons of the dialog made from
// templateId; a label too narrow for its text is widened up to the dialog's
// right margin. Called on WM_INITDIALOG.
void showDialogTexts(HWND dialog, int templateId);
