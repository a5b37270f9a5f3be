#include "screenshot.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr DWORD kPollInterval = 50;
constexpr DWORD kPatience = 30000;

std::string displayName() {
  char value[64] = "";
  DWORD length = GetEnvironmentVariableA("DISPLAY", value, sizeof value);
  return length > 0 && length < sizeof value ? value : "";
}

bool fileExists(const std::string& windowsPath) {
  return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Wine starts Unix programs given by their Unix path as it starts Windows ones.
bool runUnixShell(const std::string& script) {
  std::string commandLine = "/bin/sh -c \"" + script + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA("Z:\\bin\\sh", &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

// Pictures go to the build folder; scripts/refresh-images points
// QELT_IMAGES_DIR at docs/images to renew the documentation's.
std::string imagesDirectory() {
  const char* chosen = std::getenv("QELT_IMAGES_DIR");
  return chosen && *chosen ? chosen : QELT_IMAGES_DIR;
}

bool saveScreenshot(HWND window, const std::string& name) {
  const std::string images = imagesDirectory();
  std::string display = displayName();
  if (display.empty() || !IsWindow(window)) return false;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(300);  // lets Wine hand the freshly painted window to the X server
  RECT r;
  GetWindowRect(window, &r);
  std::string unixFile = images + "/" + name + ".png";
  std::string windowsFile = "Z:" + unixFile;
  for (char& c : windowsFile)
    if (c == '/') c = '\\';
  DeleteFileA(windowsFile.c_str());
  char geometry[64];
  std::snprintf(geometry, sizeof geometry, "%ldx%ld+%ld+%ld", r.right - r.left, r.bottom - r.top,
                r.left, r.top);
  std::string script = "mkdir -p '" + images + "' && xwd -root -silent -display " +
                       display + " | convert xwd:- -crop " + geometry + " +repage '" + unixFile +
                       ".part.png' && mv '" + unixFile + ".part.png' '" + unixFile + "'";
  if (!runUnixShell(script)) return false;
  for (DWORD waited = 0; waited < kPatience; waited += kPollInterval) {
    if (fileExists(windowsFile)) return true;
    Sleep(kPollInterval);
  }
  return false;
}
