// The progress window: a dialog built in memory, run on a thread of its own so
// that it keeps painting while the installer's thread works. The progress
// thread owns the window and its controls; the installer's thread reaches them
// only through messages.
#pragma once

#include <windows.h>

constexpr int kProgressCaptionSize = 50;  // 49 characters and the terminator
constexpr int kProgressTextSize = 256;    // 255 characters and the terminator
constexpr int kProgressTextId = 1005;
constexpr int kProgressIconId = 1006;
constexpr int kProgressPercentageId = 1008;
constexpr int kProgressBarId = 0;

// Opens a progress window owned by parent, titled caption (cut to 49
// characters), showing icon (the window takes it over; may be null). A window
// still open is closed first. Returns once the window exists, or after a few
// seconds if it is slow to come (it still comes, and what follows reaches
// it). False when no thread could be started.
bool startProgressWindow(HWND parent, const wchar_t* caption, HICON icon);
// Shows text (cut to 255 characters) and moves the bar to percentage; the
// percentage label shows the bar's position. Before the window exists the
// update is kept and shown when it comes. Does nothing when no window was
// started.
void updateProgressWindow(int percentage, const wchar_t* text);
// Fills the bar unless the last percentage is above 90, waits 200 ms, closes
// the window and enables its owner again. Returns at once when no window was
// started.
void closeProgressWindow();
// The window while it is shown; null before it comes and after it went.
HWND progressWindow();

// Leading decimal digits of text; no sign, no blanks; 0 when none.
int readPercentage(const char* text);
int readPercentage(const wchar_t* text);
