// StartProgress, UpdateProgress, CloseProgress: the progress window as the
// installer script drives it.
#include <windows.h>

#include "export_guard.h"
#include "format_text.h"
#include "host_context.h"
#include "nolm_library.h"
#include "progress_window.h"
#include "ui_resource_ids.h"

namespace {

constexpr int kPercentageSize = 12;  // 11 characters

// Texts from the script are Windows-1251.
void toWide(const char* text, wchar_t* wide, int capacity) {
  if (!MultiByteToWideChar(1251, 0, text, -1, wide, capacity)) wide[0] = L'\0';
  wide[capacity - 1] = L'\0';
}

void startProgress(HWND parent) {
  char caption[kProgressCaptionSize] = "";
  popStackString(caption, sizeof caption);
  wchar_t wideCaption[kProgressCaptionSize];
  toWide(caption, wideCaption, kProgressCaptionSize);
  // The installer's own icon: icon 103 of the host executable. Not shared, so
  // the window can release it when it goes.
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                             MAKEINTRESOURCEA(IDI_HOST_ICON), IMAGE_ICON, 0, 0,
                                             LR_DEFAULTSIZE));
  startProgressWindow(parent, wideCaption, icon);
}

void updateProgress() {
  char percentage[kPercentageSize] = "";
  char text[kProgressTextSize] = "";
  popStackString(percentage, sizeof percentage);
  popStackString(text, sizeof text);
  wchar_t wideText[kProgressTextSize];
  toWide(text, wideText, kProgressTextSize);
  updateProgressWindow(readPercentage(percentage), wideText);
}

}  // namespace

QELT_EXPORT(StartProgress) {
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport([parentWindow] { startProgress(parentWindow); });
}

QELT_EXPORT(UpdateProgress) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(updateProgress);
}

QELT_EXPORT(CloseProgress) {
  (void)parentWindow;
  setupHostContext(stringSize, variables, stackTop, extra);
  guardExport(closeProgressWindow);
}
