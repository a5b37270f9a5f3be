// StartProgress, UpdateProgress, CloseProgress: the progress window as the
// installer script drives it.
#include <cwchar>

#include "export_frame.h"
#include "host_text.h"
#include "progress_window.h"
#include "scratch_text.h"
#include "ui_resource_ids.h"

namespace {

constexpr int kPercentageSize = 12;  // 11 characters

void startProgress(HWND parent) {
  WideScratch caption;
  popWide(caption.text, WideScratch::kSize);
  caption.text[kProgressCaptionSize - 1] = L'\0';
  // The installer's own icon: icon 103 of the host executable. Not shared, so
  // the window can release it when it goes.
  HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                             MAKEINTRESOURCEW(IDI_HOST_ICON), IMAGE_ICON, 0, 0,
                                             LR_DEFAULTSIZE));
  startProgressWindow(parent, caption.text, icon);
}

void updateProgress(HWND) {
  WideScratch percentage, text;
  popWide(percentage.text, WideScratch::kSize);
  popWide(text.text, WideScratch::kSize);
  percentage.text[kPercentageSize - 1] = L'\0';
  updateProgressWindow(readPercentage(percentage.text), text.text);
}

void closeProgress(HWND) { closeProgressWindow(); }

}  // namespace

QELT_PLUGIN_EXPORT(StartProgress, startProgress, kClearsFlag)
QELT_PLUGIN_EXPORT(UpdateProgress, updateProgress, kClearsFlag)
QELT_PLUGIN_EXPORT(CloseProgress, closeProgress, kClearsFlag)
