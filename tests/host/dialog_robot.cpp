#include "dialog_robot.h"

#include <algorithm>

#include "plugin_host.h"

namespace {

constexpr DWORD kPollInterval = 20;
// Only a limit against hanging: a dialog normally shows within a second.
constexpr DWORD kPatience = 30000;

bool isVisibleDialog(HWND window) {
  return window && IsWindowVisible(window);
}

// Waiting on a thread that owns windows (the test thread owns the owner
// windows of the plug-in's dialogs) must keep answering their messages.
void pauseAndPump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  Sleep(kPollInterval);
}

}  // namespace

// Texts are read and written through the wide functions, as a user sees
// them whatever the system's code page; the tests speak Windows-1251.
std::wstring windowTextWide(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(window, &text[0], length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

std::string windowText(HWND window) { return wideTo1251(windowTextWide(window)); }

std::string className(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

ControlSnapshot snapshotControl(HWND dialog, int id) {
  ControlSnapshot s;
  HWND control = GetDlgItem(dialog, id);
  if (!control) return s;
  s.exists = true;
  s.className = className(control);
  s.style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
  s.enabled = IsWindowEnabled(control) != FALSE;
  s.text = windowText(control);
  GetWindowRect(control, &s.rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&s.rect), 2);
  return s;
}

RECT dialogUnitsToPixels(HWND dialog, int x, int y, int width, int height) {
  // The dialog manager maps position and size each on its own.
  RECT r = {x, y, width, height};
  MapDialogRect(dialog, &r);
  return {r.left, r.top, r.left + r.right, r.top + r.bottom};
}

void typeText(HWND control, const std::string& text) {
  typeTextWide(control, wideFrom1251(text));
}

void typeTextWide(HWND control, const std::wstring& text) {
  int length = GetWindowTextLengthW(control);  // types at the end, as after a click there
  SendMessageW(control, EM_SETSEL, static_cast<WPARAM>(length), length);
  for (wchar_t c : text) SendMessageW(control, WM_CHAR, c, 1);
}

void setText(HWND control, const std::string& text) {
  std::wstring wide = wideFrom1251(text);
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void eraseLastCharacter(HWND control) {
  int length = GetWindowTextLengthA(control);
  SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(length), length);
  SendMessageA(control, WM_CHAR, VK_BACK, 1);
}

bool click(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  // A user cannot click a greyed button (BM_CLICK itself would not care).
  if (!button || !IsWindowEnabled(button) || !IsWindowVisible(button)) return false;
  SendMessageA(button, BM_CLICK, 0, 0);
  return true;
}

void pressKey(HWND control, UINT virtualKey) {
  PostMessageA(control, WM_KEYDOWN, virtualKey, 1);
  PostMessageA(control, WM_KEYUP, virtualKey, 0xC0000001);
}

void pressCloseBox(HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool dialogStillAnswers(HWND edit) {
  std::string before = windowText(edit);
  PostMessageA(edit, WM_CHAR, '~', 1);
  for (DWORD waited = 0; waited < kPatience; waited += kPollInterval) {
    if (!IsWindow(edit)) return false;
    if (windowText(edit) != before) return true;
    Sleep(kPollInterval);
  }
  return false;
}

bool waitUntilGone(HWND window) {
  for (DWORD waited = 0; waited < kPatience; waited += kPollInterval) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return true;
    pauseAndPump();
  }
  return false;
}

std::vector<std::wstring> listEntriesWide(HWND list) {
  std::vector<std::wstring> entries;
  LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    entries.push_back(text);
  }
  return entries;
}

std::vector<std::string> listEntries(HWND list) {
  std::vector<std::string> entries;
  for (const std::wstring& entry : listEntriesWide(list)) entries.push_back(wideTo1251(entry));
  return entries;
}

int selectedIndex(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)); }

HWND focusedControl(HWND dialog) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

HWND waitForDialog(const std::string& caption) {
  for (DWORD waited = 0; waited < kPatience; waited += kPollInterval) {
    HWND dialog = FindWindowW(L"#32770", wideFrom1251(caption).c_str());
    if (isVisibleDialog(dialog)) return dialog;
    pauseAndPump();
  }
  return nullptr;
}

DialogRobot::DialogRobot(const std::string& caption, std::function<void(HWND)> script)
    : caption_(caption), script_(std::move(script)) {
  thread_ = CreateThread(nullptr, 0, &DialogRobot::run, this, 0, nullptr);
}

DialogRobot::~DialogRobot() { finish(); }

bool DialogRobot::finish() {
  if (thread_) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  return found_;
}

DWORD WINAPI DialogRobot::run(LPVOID argument) {
  auto* self = static_cast<DialogRobot*>(argument);
  HWND dialog = waitForDialog(self->caption_);
  if (!dialog) return 0;
  self->found_ = true;
  self->script_(dialog);
  if (!waitUntilGone(dialog)) {
    self->leftOpen_ = true;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    waitUntilGone(dialog);
  }
  return 0;
}

namespace {

struct WatchRecord {
  std::vector<std::string> created;
  std::vector<std::string> shown;
};
WatchRecord watchRecord;

LRESULT CALLBACK watchWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
    const char* name = create->lpcs->lpszName;
    // Names may be resource ordinals; only real texts are recorded.
    if (name && !IS_INTRESOURCE(name)) watchRecord.created.push_back(name);
  } else if (code == HCBT_ACTIVATE) {
    watchRecord.shown.push_back(windowText(reinterpret_cast<HWND>(wParam)));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

DialogWatch::DialogWatch() {
  watchRecord = WatchRecord();
  hook_ = SetWindowsHookExA(WH_CBT, watchWindows, nullptr, GetCurrentThreadId());
}

DialogWatch::~DialogWatch() { UnhookWindowsHookEx(hook_); }

bool DialogWatch::created(const std::string& caption) const {
  return std::find(watchRecord.created.begin(), watchRecord.created.end(), caption) !=
         watchRecord.created.end();
}

bool DialogWatch::shown(const std::string& caption) const {
  return std::find(watchRecord.shown.begin(), watchRecord.shown.end(), caption) !=
         watchRecord.shown.end();
}
