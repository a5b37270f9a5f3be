// The support log: what the plug-in did on the user's machine, in one file
// the user can send. UTF-8 with a byte order mark and CRLF lines, appended,
// one line per event with a time stamp to the millisecond. While it is open
// it is the sink of every layer's events (trace.h); closed, nothing is
// formatted at all.
//
// It never breaks an installation: a file that cannot be opened or written
// switches the log off and changes nothing else (no box, no output, no
// LastError). Each line is one WriteFile straight to the system, so an
// installer that crashes loses none of the lines before. At 4 MB the log
// ends with a line that says so.
#pragma once

#include "nsis_plugin_api.h"

// Opens path for appending and writes the header lines. An empty path
// closes the log (true); false when the file cannot be written (the log is
// then off).
bool openSupportLog(const wchar_t* path);
// QELTNSIS_LOG, read when the DLL is loaded; the first export opens it, when
// the installer's values are known.
void readLogEnvironment();
void openLogFromEnvironment();

// One event line, UTF-16 (a line break in it is written as " / ").
void logLine(const wchar_t* text);

// Inputs and outputs of an export: index is a variable's, or -1 for a stack
// entry. A value in a variable marked secret is written as *** and its length.
enum class HostAccess { kRead, kSet, kPopped, kPushed };
void logHostValue(HostAccess access, int index, const HostChar* text);
// Bit n marks variable n secret, for the export now running.
void setSecretVariables(unsigned mask);
// Entries pushed since the export began (counted while the log is open).
int pushedEntries();
void forgetPushedEntries();
