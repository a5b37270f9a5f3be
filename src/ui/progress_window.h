// The progress window: a dialog built in memory, run on a thread of its own so
// that it keeps painting while the installer's thread works. The installer's
// thread reaches it only through messages.
#pragma once

#include <windows.h>

constexpr int kProgressCaptionSize = 50;  // 49 characters and the terminator
constexpr int kProgressTextId = 1005;
constexpr int kProgressIconId = 1006;
constexpr int kProgressPercentageId = 1008;
constexpr int kProgressBarId = 0;

// The window and its controls, as the progress thread recorded them; all null
// while no window is open (they are cleared when the window goes away).
struct ProgressWindowHandles {
  HWND volatile window;
  HWND volatile bar;
  HWND volatile text;
  HWND volatile percentage;
  HWND volatile iconStatic;
};
extern ProgressWindowHandles progressHandles;
// The percentage last given to UpdateProgress; reset to 0 when a window opens.
extern volatile int lastPercentage;

// Starts the progress thread with a window owned by parent, titled caption (cut
// to 49 characters), showing icon (the window takes it over; may be null).
// Waits 100 ms for the window to appear. False when no thread could be started.
bool startProgressWindow(HWND parent, const char* caption, HICON icon);
// Only while a window is open: the text label's text.
void setProgressText(const char* text);
// Only while a window is open: moves the bar and returns its position as the bar
// clamped it to 0-100 (or the percentage itself when no window is open).
int setProgressPosition(int percentage);
void setProgressPercentageLabel(const char* text);
// Fills the bar unless the last percentage is above 90, waits 200 ms and
// closes the window; returns at once when no window is open.
void closeProgressWindow();

// Leading decimal digits of text; no sign, no blanks; 0 when none.
int readPercentage(const char* text);
