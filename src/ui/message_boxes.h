// Every message box of the plug-in: no owner window, wide texts so they read
// right whatever the system's ANSI code page.
#pragma once

#include "notices.h"

// Error, warning or information icon by the notice's kind; the notice's
// caption or the system's default one.
void showNoticeBox(const Notice& notice);
