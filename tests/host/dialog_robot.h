// The user, simulated: a thread of the test host that waits for a dialog of
// this process to show, then looks at it and acts on it as a user would
// (typing, clicking, keys, the close box). It records what it sees; the test
// thread checks the record once the robot is done.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What one control looked like.
struct ControlSnapshot {
  bool exists = false;
  std::string className;
  DWORD style = 0;
  bool enabled = false;
  std::string text;
  RECT rect = {};  // in the dialog's client area, pixels
};

ControlSnapshot snapshotControl(HWND dialog, int id);
// The control's rectangle as the dialog maps the given dialog units.
RECT dialogUnitsToPixels(HWND dialog, int x, int y, int width, int height);
std::string windowText(HWND window);
std::string className(HWND window);

// Acting on a dialog from the robot thread.
// WM_CHAR, one by one, after the text already there.
void typeText(HWND control, const std::string& text);
void typeTextWide(HWND control, const std::wstring& text);
std::wstring windowTextWide(HWND window);
std::vector<std::wstring> listEntriesWide(HWND list);
void setText(HWND control, const std::string& text);   // WM_SETTEXT, all at once
void eraseLastCharacter(HWND control);                  // Backspace
// BM_CLICK; false (and nothing done) when the button is greyed or hidden.
bool click(HWND dialog, int id);
// A key pressed while control has the focus, through the dialog's own
// message loop (posted, so the dialog manager sees it).
void pressKey(HWND control, UINT virtualKey);
void pressCloseBox(HWND dialog);  // the title bar's close box (SC_CLOSE)
// Posts a character after whatever was posted before and waits until the edit
// shows it: proves the queue up to there was handled and the dialog is alive.
bool dialogStillAnswers(HWND edit);
bool waitUntilGone(HWND window);
std::vector<std::string> listEntries(HWND list);
int selectedIndex(HWND list);
// The window that has the keyboard focus in the thread that owns dialog.
HWND focusedControl(HWND dialog);

class DialogRobot {
 public:
  // Starts the thread: it waits for a visible "#32770" window titled caption,
  // then runs script on it. After the script, a dialog left open is closed
  // (and noted) so no test hangs.
  DialogRobot(const std::string& caption, std::function<void(HWND)> script);
  ~DialogRobot();
  DialogRobot(const DialogRobot&) = delete;
  DialogRobot& operator=(const DialogRobot&) = delete;

  // Waits for the thread. True when the dialog was found and the script ran.
  bool finish();
  bool leftOpen() const { return leftOpen_; }

 private:
  static DWORD WINAPI run(LPVOID self);

  std::string caption_;
  std::function<void(HWND)> script_;
  HANDLE thread_ = nullptr;
  bool found_ = false;
  bool leftOpen_ = false;
};

// Records the dialogs created and shown on the calling thread while it lives.
class DialogWatch {
 public:
  DialogWatch();
  ~DialogWatch();
  DialogWatch(const DialogWatch&) = delete;
  DialogWatch& operator=(const DialogWatch&) = delete;
  bool created(const std::string& caption) const;
  bool shown(const std::string& caption) const;

 private:
  HHOOK hook_;
};

// Waits (with a generous limit) for a visible dialog of this process.
HWND waitForDialog(const std::string& caption);
