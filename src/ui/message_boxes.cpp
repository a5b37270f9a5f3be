#include "message_boxes.h"

#include <windows.h>

void showError(const char* text) { MessageBoxA(nullptr, text, nullptr, MB_ICONERROR); }

void showErrorWithCaption(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_ICONERROR);
}

void showWarning(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_ICONWARNING);
}

void showInformation(const char* text) { MessageBoxA(nullptr, text, nullptr, MB_ICONINFORMATION); }
