#include "progress_window.h"

#include <commctrl.h>

#include <cstring>

#include "format_text.h"
#include "progress_template.h"

ProgressWindowHandles progressHandles = {};
volatile int lastPercentage = 0;

namespace {

constexpr int kWidthUnits = 170;
constexpr int kHeightUnits = 55;
constexpr DWORD kStartPause = 100;
constexpr DWORD kClosePause = 200;
constexpr int kFullThreshold = 90;

// Handed to the progress thread, which owns it (and the caption in it) and
// frees it when the window has gone.
struct ProgressParameters {
  HWND parent;
  HINSTANCE instance;
  const char* caption;
  HICON icon;
  int width;
  int height;
  HMODULE self;
  char captionText[kProgressCaptionSize];
};

HWND createControl(HWND window, const char* className, DWORD style, int x, int y, int width,
                   int height, int id) {
  return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                         window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

void createControls(HWND window, HICON icon) {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  progressHandles.window = window;
  progressHandles.text = createControl(window, "STATIC", 0, 45, 7, 250, 40, kProgressTextId);
  progressHandles.iconStatic =
      createControl(window, "STATIC", SS_ICON, 7, 7, 32, 32, kProgressIconId);
  progressHandles.percentage =
      createControl(window, "STATIC", 0, 295, 60, 60, 20, kProgressPercentageId);
  SendMessageA(progressHandles.iconStatic, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  WPARAM font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(progressHandles.text, WM_SETFONT, font, FALSE);
  SendMessageA(progressHandles.percentage, WM_SETFONT, font, FALSE);
  progressHandles.bar =
      createControl(window, PROGRESS_CLASSA, PBS_SMOOTH, 45, 60, 250, 17, kProgressBarId);
  SendMessageA(progressHandles.bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageA(progressHandles.bar, PBM_SETPOS, 0, 0);
}

// The module's handles name this window only until it goes; a later call must
// not reach a window that a stale handle may by then name.
void forgetWindow(HWND window) {
  if (InterlockedCompareExchangePointer(reinterpret_cast<PVOID volatile*>(&progressHandles.window),
                                        nullptr, window) != window)
    return;
  progressHandles.bar = nullptr;
  progressHandles.text = nullptr;
  progressHandles.percentage = nullptr;
  progressHandles.iconStatic = nullptr;
}

void destroyControls(HWND window) {
  auto* parameters = reinterpret_cast<ProgressParameters*>(GetWindowLongPtrA(window, DWLP_USER));
  if (parameters && parameters->icon) {
    DestroyIcon(parameters->icon);
    parameters->icon = nullptr;
  }
  // A newer window may own the module's handles by now; its controls stay.
  if (progressHandles.window == window) {
    DestroyWindow(progressHandles.bar);
    DestroyWindow(progressHandles.text);
    DestroyWindow(progressHandles.iconStatic);
    DestroyWindow(progressHandles.percentage);
  }
  forgetWindow(window);
}

INT_PTR CALLBACK progressWindowProcedure(HWND window, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      lastPercentage = 0;
      SetWindowLongPtrA(window, DWLP_USER, lParam);
      createControls(window, reinterpret_cast<ProgressParameters*>(lParam)->icon);
      return TRUE;
    }
    case WM_CLOSE:
      EndDialog(window, 0);
      return TRUE;
    case WM_DESTROY:
      destroyControls(window);
      return TRUE;
  }
  return FALSE;
}

DWORD WINAPI progressThread(LPVOID argument) {
  auto* parameters = static_cast<ProgressParameters*>(argument);
  DWORD result = 0;
  if (HGLOBAL block = GlobalAlloc(GPTR, kProgressTemplateSize)) {
    writeProgressTemplate(block, parameters->caption, parameters->width, parameters->height);
    result = static_cast<DWORD>(DialogBoxIndirectParamA(
        parameters->instance, static_cast<LPCDLGTEMPLATEA>(block), parameters->parent,
        progressWindowProcedure, reinterpret_cast<LPARAM>(parameters)));
    GlobalFree(block);
  }
  if (parameters->icon) DestroyIcon(parameters->icon);  // the window never took it
  HMODULE self = parameters->self;
  HeapFree(GetProcessHeap(), 0, parameters);
  // The thread holds its own reference to this module, so the module cannot
  // be unloaded under it while it finishes.
  FreeLibraryAndExitThread(self, result);
}

}  // namespace

bool startProgressWindow(HWND parent, const char* caption, HICON icon) {
  auto* parameters = static_cast<ProgressParameters*>(
      HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ProgressParameters)));
  if (!parameters) {
    if (icon) DestroyIcon(icon);
    return false;
  }
  parameters->parent = parent;
  parameters->instance = nullptr;
  formatText(parameters->captionText, sizeof parameters->captionText, "%s", caption ? caption : "");
  parameters->caption = parameters->captionText;
  parameters->icon = icon;
  parameters->width = kWidthUnits;
  parameters->height = kHeightUnits;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCSTR>(&progressThread), &parameters->self)) {
    if (icon) DestroyIcon(icon);
    HeapFree(GetProcessHeap(), 0, parameters);
    return false;
  }
  HANDLE thread = CreateThread(nullptr, 0, progressThread, parameters, 0, nullptr);
  if (!thread) {
    FreeLibrary(parameters->self);
    if (icon) DestroyIcon(icon);
    HeapFree(GetProcessHeap(), 0, parameters);
    return false;
  }
  Sleep(kStartPause);
  CloseHandle(thread);
  return true;
}

void setProgressText(const char* text) {
  if (HWND label = progressHandles.text) SetWindowTextA(label, text);
}

int setProgressPosition(int percentage) {
  HWND bar = progressHandles.bar;
  if (!bar) return percentage;
  SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(percentage), 0);
  return static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0));
}

void setProgressPercentageLabel(const char* text) {
  if (HWND label = progressHandles.percentage) SetWindowTextA(label, text);
}

void closeProgressWindow() {
  HWND window = progressHandles.window;
  if (!window) return;
  if (lastPercentage <= kFullThreshold) {
    setProgressPosition(100);
    setProgressPercentageLabel("100%");
  }
  Sleep(kClosePause);
  SendMessageA(window, WM_CLOSE, 0, 0);
  forgetWindow(window);
}

int readPercentage(const char* text) {
  unsigned value = 0;  // no overflow check: wraps like the 32-bit register it is
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + static_cast<unsigned>(*text - '0');
  return static_cast<int>(value);
}
