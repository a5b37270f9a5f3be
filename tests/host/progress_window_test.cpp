// StartProgress, UpdateProgress, CloseProgress; the progress window lives on a
// thread of the plug-in, so the test thread itself can look at it.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "dialog_robot.h"
#include "nsis_plugin_api.h"
#include "plugin_host.h"
#include "progress_template.h"
#include "progress_window.h"
#include "screenshot.h"
#include "ui_test_support.h"

namespace {

// Every message the progress thread is sent for the bar, the percentage label
// or the window itself, in order, as "PBM_SETPOS 100", "label 100%", "WM_CLOSE".
class ProgressMessageLog {
 public:
  explicit ProgressMessageLog(HWND window) {
    log_ = &entries_;
    window_ = window;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, record, nullptr,
                              GetWindowThreadProcessId(window, nullptr));
  }
  ~ProgressMessageLog() {
    UnhookWindowsHookEx(hook_);
    log_ = nullptr;
  }
  const std::vector<std::string>& entries() const { return entries_; }

 private:
  static LRESULT CALLBACK record(int code, WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && log_) {
      if (m->message == PBM_SETPOS) {
        log_->push_back("PBM_SETPOS " + std::to_string(m->wParam));
      } else if (m->message == WM_SETTEXT && GetDlgCtrlID(m->hwnd) == kProgressPercentageId &&
                 GetParent(m->hwnd) == window_) {
        char text[64] = "";
        WideCharToMultiByte(1251, 0, reinterpret_cast<const wchar_t*>(m->lParam), -1, text,
                            sizeof text - 1, nullptr, nullptr);
        log_->push_back(std::string("label ") + text);
      } else if (m->message == WM_CLOSE && m->hwnd == window_) {
        log_->push_back("WM_CLOSE");
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static std::vector<std::string>* log_;
  static HWND window_;
  std::vector<std::string> entries_;
  HHOOK hook_;
};
std::vector<std::string>* ProgressMessageLog::log_ = nullptr;
HWND ProgressMessageLog::window_ = nullptr;

HWND child(HWND window, int id) { return GetDlgItem(window, id); }
HWND bar(HWND window) { return FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr); }
int barPosition(HWND window) { return static_cast<int>(SendMessageA(bar(window), PBM_GETPOS, 0, 0)); }

void update(PluginHost& host, const std::string& percentage, const std::string& text) {
  host.push(text);
  host.push(percentage);
  host.call("UpdateProgress");
}

HWND startProgress(PluginHost& host, const std::string& caption, HWND parent = nullptr) {
  host.push(caption);
  host.call("StartProgress", parent);
  return waitForDialog(caption);
}

RECT clientRect(HWND window, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void expectRect(HWND window, HWND control, int x, int y, int width, int height) {
  RECT r = clientRect(window, control);
  EXPECT_EQ(r.left, x);
  EXPECT_EQ(r.top, y);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
}

TEST(ProgressWindow, ShowsTextBarAndPercentageAfterEachUpdate) {
  REQUIRE_DISPLAY();
  PluginHost host;
  OwnerWindow owner;
  const std::string caption = "Генерація ключа";
  HWND window = startProgress(host, caption, owner.handle());
  ASSERT_NE(window, nullptr) << "no progress window";
  EXPECT_TRUE(host.stack().empty());
  EXPECT_NE(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId())
      << "the window must run on a thread of its own";
  EXPECT_EQ(GetWindow(window, GW_OWNER), owner.handle());
  DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
  EXPECT_FALSE(style & WS_SYSMENU) << "the progress window has no close box";
  EXPECT_FALSE(style & WS_CHILD);

  HWND text = child(window, kProgressTextId);
  HWND icon = child(window, kProgressIconId);
  HWND percentage = child(window, kProgressPercentageId);
  ASSERT_TRUE(text && icon && percentage && bar(window));
  EXPECT_EQ(GetDlgCtrlID(bar(window)), 0);
  EXPECT_EQ(className(text), "Static");
  EXPECT_TRUE(GetWindowLongA(icon, GWL_STYLE) & SS_ICON);
  EXPECT_TRUE(GetWindowLongA(bar(window), GWL_STYLE) & PBS_SMOOTH);
  EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0) << "the host's icon 103 is not shown";
  HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(text, WM_GETFONT, 0, 0)), guiFont);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(percentage, WM_GETFONT, 0, 0)), guiFont);
  expectRect(window, text, 45, 7, 250, 40);
  expectRect(window, icon, 7, 7, 32, 32);
  expectRect(window, percentage, 295, 60, 60, 20);
  expectRect(window, bar(window), 45, 60, 250, 17);
  EXPECT_EQ(SendMessageA(bar(window), PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(barPosition(window), 0);

  update(host, "45", "Зачекайте, будь ласка: створюється таємний ключ");
  EXPECT_TRUE(host.stack().empty());
  EXPECT_EQ(windowText(text), "Зачекайте, будь ласка: створюється таємний ключ");
  EXPECT_EQ(barPosition(window), 45);
  EXPECT_EQ(windowText(percentage), "45%");
  EXPECT_TRUE(saveScreenshot(window, "progress_window"));

  update(host, "150", "Майже готово");
  EXPECT_EQ(barPosition(window), 100);
  EXPECT_EQ(windowText(percentage), "100%");
  EXPECT_EQ(windowText(text), "Майже готово");

  struct { const char* given; int read; } percentages[] = {
      {"12abc", 12}, {"abc", 0}, {"-20", 0}, {"", 0}, {"7", 7}};
  for (const auto& p : percentages) {
    SCOPED_TRACE(p.given);
    update(host, p.given, "x");
    EXPECT_EQ(barPosition(window), p.read);
    EXPECT_EQ(windowText(percentage), std::to_string(p.read) + "%");
  }

  host.call("CloseProgress");
  EXPECT_TRUE(waitUntilGone(window));
}

struct CloseCase {
  const char* lastPercentage;
  std::vector<std::string> expected;
};

class ClosingProgress : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ClosingProgress, FillsTheBarOnlyUpTo90) {
  REQUIRE_DISPLAY();
  PluginHost host;
  HWND window = startProgress(host, "Закриття");
  ASSERT_NE(window, nullptr);
  update(host, GetParam().lastPercentage, "text");
  std::vector<std::string> seen;
  {
    ProgressMessageLog log(window);
    host.call("CloseProgress");
    seen = log.entries();
  }
  EXPECT_EQ(seen, GetParam().expected);
  EXPECT_TRUE(waitUntilGone(window));
}

INSTANTIATE_TEST_SUITE_P(
    LastPercentages, ClosingProgress,
    ::testing::Values(CloseCase{"0", {"PBM_SETPOS 100", "label 100%", "WM_CLOSE"}},
                      CloseCase{"90", {"PBM_SETPOS 100", "label 100%", "WM_CLOSE"}},
                      CloseCase{"91", {"WM_CLOSE"}}, CloseCase{"150", {"WM_CLOSE"}}));

TEST(ProgressWindow, NothingHappensBeforeStartProgress) {
  REQUIRE_DISPLAY();
  PluginHost host;
  DialogWatch watch;
  update(host, "50", "nobody sees this");
  host.call("CloseProgress");
  EXPECT_TRUE(host.stack().empty());
  EXPECT_EQ(FindWindowA("#32770", nullptr), nullptr) << "a window appeared";
}

TEST(ProgressWindow, UpdatesAfterCloseReachNothing) {
  REQUIRE_DISPLAY();
  PluginHost host;
  HWND window = startProgress(host, "Перший");
  ASSERT_NE(window, nullptr);
  host.call("CloseProgress");
  ASSERT_TRUE(waitUntilGone(window));
  OwnerWindow bystander;  // a window that a stale handle could by now name
  std::string before = windowText(bystander.handle());
  update(host, "33", "late text");
  host.call("CloseProgress");
  EXPECT_EQ(windowText(bystander.handle()), before);
  EXPECT_TRUE(IsWindow(bystander.handle()));
}

TEST(ProgressWindow, LongCaptionIsCutTo49Characters) {
  REQUIRE_DISPLAY();
  PluginHost host;
  std::string caption49(49, 'c');
  caption49.replace(0, 6, "Статус");
  host.push(caption49 + "-tail");
  host.call("StartProgress");
  HWND window = waitForDialog(caption49);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(windowText(window), caption49);
  host.call("CloseProgress");
  EXPECT_TRUE(waitUntilGone(window));
}

// The installer's window thread itself calls the exports (.onGUIInit, a
// page's functions): the window comes while StartProgress waits, and
// CloseProgress right after closes it and gives the owner back.
TEST(ProgressWindow, StartAndCloseAtOnceOnTheOwnersThread) {
  REQUIRE_DISPLAY();
  PluginHost host;
  OwnerWindow owner;
  host.push("Одразу");
  host.call("StartProgress", owner.handle());
  HWND window = FindWindowW(L"#32770", wideFrom1251("Одразу").c_str());
  ASSERT_NE(window, nullptr) << "StartProgress returned before its window existed";
  EXPECT_EQ(GetWindow(window, GW_OWNER), owner.handle());
  update(host, "30", "на потоці власника");
  EXPECT_EQ(windowText(GetDlgItem(window, kProgressTextId)), "на потоці власника");
  host.call("CloseProgress");
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(waitUntilGone(window));
  EXPECT_TRUE(IsWindowEnabled(owner.handle())) << "the installer's window stays disabled";
}

TEST(ProgressWindow, ASecondStartClosesTheFirstWindow) {
  REQUIRE_DISPLAY();
  PluginHost host;
  OwnerWindow owner;
  HWND first = startProgress(host, "Перше вікно", owner.handle());
  ASSERT_NE(first, nullptr);
  HWND second = startProgress(host, "Друге вікно", owner.handle());
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(IsWindow(first)) << "the first window was left behind";
  update(host, "60", "друге");
  EXPECT_EQ(windowText(GetDlgItem(second, kProgressTextId)), "друге");
  host.call("CloseProgress");
  EXPECT_TRUE(waitUntilGone(second));
  EXPECT_EQ(FindWindowW(L"#32770", wideFrom1251("Перше вікно").c_str()), nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner.handle()));
}

// The window code itself, outside the plug-in.
TEST(ProgressWindowState, AWindowGoneByItselfIsForgotten) {
  REQUIRE_DISPLAY();
  ASSERT_TRUE(startProgressWindow(nullptr, L"Стан", nullptr));
  HWND window = progressWindow();
  ASSERT_NE(window, nullptr) << "startProgressWindow returned before its window existed";
  // Gone without CloseProgress (as when the system ends it).
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(waitUntilGone(window));
  for (int i = 0; i < 1500 && progressWindow(); ++i) Sleep(20);
  EXPECT_EQ(progressWindow(), nullptr);
  updateProgressWindow(40, L"nobody");  // reaches nothing
  closeProgressWindow();
  closeProgressWindow();  // nothing left to close
}

TEST(ProgressTemplate, IsWrittenAsTheDialogManagerReadsIt) {
  BYTE block[kProgressTemplateSize] = {};
  std::wstring caption(60, L'x');
  caption.replace(0, 4, L"Ключ");
  writeProgressTemplate(block, caption.c_str(), 170, 55);
  auto* t = reinterpret_cast<const DLGTEMPLATE*>(block);
  EXPECT_EQ(t->style, 0x10C00A00u);
  EXPECT_EQ(t->style, static_cast<DWORD>(WS_VISIBLE | WS_CAPTION | DS_CENTER | DS_SETFOREGROUND));
  EXPECT_EQ(t->dwExtendedStyle, 0u);
  EXPECT_EQ(t->cdit, 0);
  EXPECT_EQ(t->x, 0);
  EXPECT_EQ(t->y, 0);
  EXPECT_EQ(t->cx, 170);
  EXPECT_EQ(t->cy, 55);
  auto* words = reinterpret_cast<const WORD*>(block);
  EXPECT_EQ(words[9], 0) << "menu";
  EXPECT_EQ(words[10], 0) << "class";
  auto* title = reinterpret_cast<const wchar_t*>(words + 11);
  EXPECT_EQ(title[0], L'\x041a');  // К
  EXPECT_EQ(std::wstring(title).size(), 49u);
}

}  // namespace
