// The programs a run starts (makensis, the world check, the robot and,
// through it, the installer). They share one job object, so that a
// timeout, Ctrl+C or the end of this program ends all of them.
#pragma once

#include <string>
#include <vector>

// Makes the job and arranges for Ctrl+C (and a closed console) to end the
// children; the run then notices interrupted() and cleans up.
void startChildControl();
bool interrupted();
// Ends every child still running.
void endChildren();

// One argument quoted for a Windows command line (as the C runtime splits it).
std::wstring quoteArgument(const std::wstring& argument);

struct ChildResult {
  bool started = false;
  bool timedOut = false;
  bool interrupted = false;
  unsigned long exitCode = 0;
};

// Runs `commandLine` in `folder` with its output (stdout and stderr) in the
// file `outputFile`; ends it after `timeoutMs`.
ChildResult runChild(const std::wstring& commandLine, const std::wstring& folder, const std::wstring& outputFile,
                     unsigned long timeoutMs);

// Under Wine a Windows program can start a Linux one, but cannot wait for
// it or learn its exit status. These help with that.
bool underWine();
// The Linux path of a Windows path (empty outside Wine).
std::string linuxPathOf(const std::wstring& path);
// The Windows path of a Linux path (empty outside Wine).
std::wstring windowsPathOf(const std::string& path);
// Runs the Linux program `arguments[0]` through /bin/sh, which writes its
// output to `outputFile` and its exit status next to it, and waits for that.
ChildResult runLinuxProgram(const std::vector<std::string>& arguments, const std::wstring& folder,
                            const std::wstring& outputFile, unsigned long timeoutMs);
