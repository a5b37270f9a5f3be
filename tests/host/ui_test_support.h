// Shared by the tests that show windows: they need an X display (Xvfb).
#pragma once

#include <windows.h>

#include <string>

bool haveDisplay();
#define REQUIRE_DISPLAY() \
  if (!haveDisplay()) GTEST_SKIP() << "no X display: run under scripts/xvfb-session"

// True when text occurs anywhere in the writable sections (.data, .bss) of
// module: what the plug-in keeps in its own memory between calls.
bool moduleMemoryHolds(HMODULE module, const std::string& text);

// A plain visible top-level window to own the plug-in's dialogs.
class OwnerWindow {
 public:
  OwnerWindow();
  ~OwnerWindow();
  HWND handle() const { return window_; }

 private:
  HWND window_;
};

// Dialog styles as the window manager keeps them (creation adds bits such as
// WS_VISIBLE, WS_CLIPSIBLINGS; the template's own are all still there).
constexpr DWORD kPasswordDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_FIXEDSYS;
