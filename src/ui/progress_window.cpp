#include "progress_window.h"

#include <commctrl.h>

#include <atomic>
#include <cwchar>
#include <new>

#include "progress_template.h"
#include "render.h"

namespace {

constexpr int kWidthUnits = 170;
constexpr int kHeightUnits = 55;
constexpr DWORD kWindowTimeout = 5000;  // for the window to come, and for its thread to end
constexpr DWORD kClosePause = 200;
constexpr int kFullThreshold = 90;

// Sent to the window. kUpdate: lParam is a ProgressUpdate; answers the bar's
// position. kFinish: fills the bar unless the last percentage is above 90;
// lParam is the percentage label for a full bar.
constexpr UINT kUpdate = WM_APP + 1;
constexpr UINT kFinish = WM_APP + 2;

constexpr int kLabelSize = 32;

// The percentage label's words come from the catalogue, read on the
// installer's thread only: the progress thread shows what it is sent.
struct ProgressUpdate {
  int percentage;
  wchar_t text[kProgressTextSize];
  wchar_t label[kLabelSize];
};

// The label for the bar's position: the bar keeps to 0-100.
void renderLabel(int percentage, wchar_t (&label)[kLabelSize]) {
  int position = percentage < 0 ? 0 : percentage > 100 ? 100 : percentage;
  renderText(label, kLabelSize, TextId::progress_percentage, position);
}

// One window, from StartProgress to CloseProgress. Shared by the installer's
// thread and the progress thread; whichever lets go last frees it.
struct ProgressSession {
  std::atomic<long> references{2};
  HWND parent = nullptr;
  bool ownerWasEnabled = false;
  HICON icon = nullptr;
  HMODULE self = nullptr;
  wchar_t caption[kProgressCaptionSize] = {};
  HANDLE ready = nullptr;  // set once the window exists, or once it never will
  std::atomic<HWND> window{nullptr};
  std::atomic<ProgressUpdate*> pending{nullptr};
  std::atomic<bool> closeRequested{false};
  // The progress thread's own.
  HWND bar = nullptr;
  HWND text = nullptr;
  HWND percentage = nullptr;
  HWND iconStatic = nullptr;
  int lastPercentage = 0;
};

void release(ProgressSession* session) {
  if (--session->references > 0) return;
  delete session->pending.exchange(nullptr);
  if (session->icon) DestroyIcon(session->icon);
  if (session->ready) CloseHandle(session->ready);
  delete session;
}

// The installer's thread: the window it opened and that window's thread.
ProgressSession* current = nullptr;
HANDLE currentThread = nullptr;

// Waits for handle (or only the time, when handle is null) while answering the
// messages that other threads send to this one: the progress window's owner
// lives on the installer's thread, and the window cannot come or go while its
// owner does not answer. Posted input is not dispatched, so the script is not
// re-entered. True when handle was signalled.
bool waitAnsweringSentMessages(HANDLE handle, DWORD timeout) {
  const DWORD start = GetTickCount();
  for (;;) {
    DWORD elapsed = GetTickCount() - start;
    DWORD remaining = elapsed < timeout ? timeout - elapsed : 0;
    DWORD result = MsgWaitForMultipleObjects(handle ? 1 : 0, handle ? &handle : nullptr, FALSE,
                                             remaining, QS_SENDMESSAGE);
    if (handle && result == WAIT_OBJECT_0) return true;
    if (result != WAIT_OBJECT_0 + (handle ? 1 : 0)) return false;
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

HWND createControl(HWND window, const wchar_t* className, DWORD style, int x, int y, int width,
                   int height, int id) {
  return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                         window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

void createControls(ProgressSession* session, HWND window) {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  session->text = createControl(window, L"STATIC", 0, 45, 7, 250, 40, kProgressTextId);
  session->iconStatic = createControl(window, L"STATIC", SS_ICON, 7, 7, 32, 32, kProgressIconId);
  session->percentage = createControl(window, L"STATIC", 0, 295, 60, 60, 20, kProgressPercentageId);
  SendMessageW(session->iconStatic, STM_SETICON, reinterpret_cast<WPARAM>(session->icon), 0);
  WPARAM font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(session->text, WM_SETFONT, font, FALSE);
  SendMessageW(session->percentage, WM_SETFONT, font, FALSE);
  session->bar = createControl(window, PROGRESS_CLASSW, PBS_SMOOTH, 45, 60, 250, 17, kProgressBarId);
  SendMessageW(session->bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageW(session->bar, PBM_SETPOS, 0, 0);
}

int applyUpdate(ProgressSession* session, const ProgressUpdate& update) {
  session->lastPercentage = update.percentage;
  SetWindowTextW(session->text, update.text);
  SendMessageW(session->bar, PBM_SETPOS, static_cast<WPARAM>(update.percentage), 0);
  SetWindowTextW(session->percentage, update.label);
  return static_cast<int>(SendMessageW(session->bar, PBM_GETPOS, 0, 0));
}

void finish(ProgressSession* session, const wchar_t* fullLabel) {
  if (session->lastPercentage > kFullThreshold) return;
  SendMessageW(session->bar, PBM_SETPOS, 100, 0);
  SetWindowTextW(session->percentage, fullLabel);
}

void destroyControls(ProgressSession* session) {
  session->window.store(nullptr);
  if (session->icon) {
    DestroyIcon(session->icon);
    session->icon = nullptr;
  }
  DestroyWindow(session->bar);
  DestroyWindow(session->text);
  DestroyWindow(session->iconStatic);
  DestroyWindow(session->percentage);
}

INT_PTR CALLBACK progressWindowProcedure(HWND window, UINT message, WPARAM, LPARAM lParam) {
  auto* session = reinterpret_cast<ProgressSession*>(GetWindowLongPtrW(window, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      session = reinterpret_cast<ProgressSession*>(lParam);
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      session->lastPercentage = 0;
      createControls(session, window);
      // Published before the kept update is taken: an update that finds no
      // window leaves itself to be taken here, or takes itself back.
      session->window.store(window);
      if (ProgressUpdate* kept = session->pending.exchange(nullptr)) {
        applyUpdate(session, *kept);
        delete kept;
      }
      SetEvent(session->ready);
      if (session->closeRequested.load()) EndDialog(window, 0);
      return TRUE;
    }
    case kUpdate:
      if (!session) return FALSE;
      SetWindowLongPtrW(window, DWLP_MSGRESULT,
                        applyUpdate(session, *reinterpret_cast<const ProgressUpdate*>(lParam)));
      return TRUE;
    case kFinish:
      if (session) finish(session, reinterpret_cast<const wchar_t*>(lParam));
      return TRUE;
    case WM_CLOSE:
      EndDialog(window, 0);
      return TRUE;
    case WM_DESTROY:
      if (session) destroyControls(session);
      return TRUE;
  }
  return FALSE;
}

DWORD WINAPI progressThread(LPVOID argument) {
  auto* session = static_cast<ProgressSession*>(argument);
  DWORD result = 0;
  if (HGLOBAL block = GlobalAlloc(GPTR, kProgressTemplateSize)) {
    writeProgressTemplate(block, session->caption, kWidthUnits, kHeightUnits);
    result = static_cast<DWORD>(DialogBoxIndirectParamW(
        nullptr, static_cast<LPCDLGTEMPLATEW>(block), session->parent, progressWindowProcedure,
        reinterpret_cast<LPARAM>(session)));
    GlobalFree(block);
  }
  SetEvent(session->ready);  // no window, or no longer one
  HMODULE self = session->self;
  release(session);
  // The thread holds its own reference to this module, so the module cannot
  // be unloaded under it while it finishes.
  FreeLibraryAndExitThread(self, result);
}

}  // namespace

bool startProgressWindow(HWND parent, const wchar_t* caption, HICON icon) {
  closeProgressWindow();
  auto* session = new (std::nothrow) ProgressSession;
  if (!session) {
    if (icon) DestroyIcon(icon);
    return false;
  }
  session->references = 1;  // until the thread runs
  session->parent = parent;
  session->ownerWasEnabled = parent && IsWindowEnabled(parent);
  session->icon = icon;
  int length = 0;
  if (caption)
    for (; length < kProgressCaptionSize - 1 && caption[length]; ++length)
      session->caption[length] = caption[length];
  session->caption[length] = L'\0';
  session->ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!session->ready ||
      !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCWSTR>(&progressThread), &session->self)) {
    release(session);
    return false;
  }
  session->references = 2;
  HANDLE thread = CreateThread(nullptr, 0, progressThread, session, 0, nullptr);
  if (!thread) {
    FreeLibrary(session->self);
    session->references = 1;
    release(session);
    return false;
  }
  current = session;
  currentThread = thread;
  waitAnsweringSentMessages(session->ready, kWindowTimeout);
  return true;
}

void updateProgressWindow(int percentage, const wchar_t* text) {
  ProgressSession* session = current;
  if (!session) return;
  ProgressUpdate update;
  update.percentage = percentage;
  int length = 0;
  if (text)
    for (; length < kProgressTextSize - 1 && text[length]; ++length) update.text[length] = text[length];
  update.text[length] = L'\0';
  renderLabel(percentage, update.label);
  if (HWND window = session->window.load()) {
    SendMessageW(window, kUpdate, 0, reinterpret_cast<LPARAM>(&update));
    return;
  }
  // Not there yet: kept for the window, the last update only.
  auto* kept = new (std::nothrow) ProgressUpdate(update);
  if (!kept) return;
  delete session->pending.exchange(kept);
  if (HWND window = session->window.load()) {
    // The window came meanwhile and may have taken its kept update already.
    if (ProgressUpdate* back = session->pending.exchange(nullptr)) {
      SendMessageW(window, kUpdate, 0, reinterpret_cast<LPARAM>(back));
      delete back;
    }
  }
}

void closeProgressWindow() {
  ProgressSession* session = current;
  if (!session) return;
  current = nullptr;
  HANDLE thread = currentThread;
  currentThread = nullptr;
  // Published before the window is looked at: a window that comes later
  // closes itself.
  session->closeRequested.store(true);
  if (HWND window = session->window.load()) {
    wchar_t fullLabel[kLabelSize];
    renderLabel(100, fullLabel);
    SendMessageW(window, kFinish, 0, reinterpret_cast<LPARAM>(fullLabel));
    waitAnsweringSentMessages(nullptr, kClosePause);
    SendMessageW(window, WM_CLOSE, 0, 0);
  }
  waitAnsweringSentMessages(thread, kWindowTimeout);
  CloseHandle(thread);
  if (session->ownerWasEnabled && IsWindow(session->parent) && !IsWindowEnabled(session->parent))
    EnableWindow(session->parent, TRUE);
  release(session);
}

HWND progressWindow() { return current ? current->window.load() : nullptr; }

int readPercentage(const char* text) {
  unsigned value = 0;  // no overflow check: wraps like the 32-bit register it is
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + static_cast<unsigned>(*text - '0');
  return static_cast<int>(value);
}

int readPercentage(const wchar_t* text) {
  unsigned value = 0;
  for (; *text >= L'0' && *text <= L'9'; ++text) value = value * 10 + static_cast<unsigned>(*text - L'0');
  return static_cast<int>(value);
}
