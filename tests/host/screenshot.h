// Pictures of the plug-in's windows for the documentation: the X screen of the
// test run (Xvfb), cut to the window, saved as docs/images/<name>.png.
#pragma once

#include <windows.h>

#include <string>

// True when the picture was written. Does nothing (false) without an X display.
bool saveScreenshot(HWND window, const std::string& name);
