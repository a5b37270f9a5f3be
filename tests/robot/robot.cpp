// qelt-robot: plays the user of an installer. Starts the installer, watches
// for the dialogs and message boxes it opens, answers them as a plan says and
// logs what it saw and did. Exits with the installer's exit code.
//
//   qelt-robot.exe <plan> <log> <installer.exe> [arguments...]
//
// The plan (UTF-8) holds one step per line, taken in order, each for the next
// window whose caption matches:
//   <caption> | <action>; <action>; ...
// with the actions
//   type <control id> <text>   set an edit's text (as typing would)
//   select <index>             select a list entry (list box 1002)
//   click <control id>         press a button (1 OK, 2 Cancel, ...)
//   close                      the title bar's close box
//   wait                       leave the window alone (a progress window)
// A caption "*" matches any window. A window no step matches is logged and
// closed with its default button, so a test never hangs on it.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

namespace {

std::wstring fromUtf8(const std::string& text) {
  int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
  if (length > 1) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], length);
  return wide;
}

std::string toUtf8(const std::wstring& wide) {
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string text(length > 0 ? length - 1 : 0, '\0');
  if (length > 1)
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &text[0], length, nullptr, nullptr);
  return text;
}

std::string trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  size_t e = s.find_last_not_of(" \t\r\n");
  return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

struct Step {
  std::string caption;
  std::vector<std::string> actions;
};

std::vector<Step> readPlan(const char* path) {
  std::vector<Step> plan;
  FILE* file = std::fopen(path, "rb");
  if (!file) return plan;
  char line[4096];
  while (std::fgets(line, sizeof line, file)) {
    std::string text = trim(line);
    if (text.empty() || text[0] == '#') continue;
    size_t bar = text.find('|');
    Step step{trim(text.substr(0, bar)), {}};
    std::string rest = bar == std::string::npos ? "" : text.substr(bar + 1);
    size_t start = 0;
    while (start <= rest.size()) {
      size_t semi = rest.find(';', start);
      std::string action = trim(rest.substr(start, semi - start));
      if (!action.empty()) step.actions.push_back(action);
      if (semi == std::string::npos) break;
      start = semi + 1;
    }
    plan.push_back(step);
  }
  std::fclose(file);
  return plan;
}

FILE* logFile = nullptr;

void log(const std::string& text) {
  std::fprintf(logFile, "%s\n", text.c_str());
  std::fflush(logFile);
}

std::wstring windowText(HWND window) {
  wchar_t buffer[2048];
  GetWindowTextW(window, buffer, 2048);
  return buffer;
}

// The texts a user reads in a window: static texts, then list entries.
std::string describe(HWND dialog) {
  std::string out;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[64];
    GetClassNameW(child, cls, 64);
    if (_wcsicmp(cls, L"Static") == 0) {
      std::wstring text = windowText(child);
      if (!text.empty()) out += " text=\"" + toUtf8(text) + "\"";
    } else if (_wcsicmp(cls, L"ListBox") == 0) {
      int count = static_cast<int>(SendMessageW(child, LB_GETCOUNT, 0, 0));
      out += " list=[";
      for (int i = 0; i < count; ++i) {
        wchar_t item[1024] = L"";
        if (SendMessageW(child, LB_GETTEXTLEN, i, 0) < 1024) SendMessageW(child, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
        out += (i ? ", \"" : "\"") + toUtf8(item) + "\"";
      }
      out += "]";
    }
  }
  return out;
}

void perform(HWND dialog, const std::string& action) {
  char verb[16] = "";
  int id = 0;
  int consumed = 0;
  std::sscanf(action.c_str(), "%15s %n", verb, &consumed);
  std::string rest = action.substr(static_cast<size_t>(consumed));
  if (std::string(verb) == "type") {
    std::sscanf(rest.c_str(), "%d %n", &id, &consumed);
    std::wstring text = fromUtf8(rest.substr(static_cast<size_t>(consumed)));
    // Setting the text sends EN_CHANGE to the dialog, as typing does.
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  } else if (std::string(verb) == "select") {
    int index = std::atoi(rest.c_str());
    SendMessageW(GetDlgItem(dialog, 1002), LB_SETCURSEL, index, 0);
  } else if (std::string(verb) == "click") {
    id = std::atoi(rest.c_str());
    HWND button = GetDlgItem(dialog, id);
    if (button && !IsWindowEnabled(button)) log("  button " + rest + " is disabled");
    if (button)
      SendMessageW(button, BM_CLICK, 0, 0);
    else
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  } else if (std::string(verb) == "close") {
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  Sleep(50);
}

struct Search {
  DWORD ownProcess;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t cls[64];
  GetClassNameW(window, cls, 64);
  if (process != search->ownProcess && IsWindowVisible(window) && wcscmp(cls, L"#32770") == 0)
    search->found.push_back(window);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: qelt-robot <plan> <log> <installer.exe> [arguments...]\n");
    return 2;
  }
  std::vector<Step> plan = readPlan(argv[1]);
  logFile = std::fopen(argv[2], "wb");
  if (!logFile) return 2;

  std::string command = "\"" + std::string(argv[3]) + "\"";
  for (int i = 4; i < argc; ++i) command += " " + std::string(argv[i]);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    log("cannot start the installer");
    return 2;
  }

  std::set<HWND> handled;
  size_t next = 0;
  // At most ten minutes; an installer that hangs fails the test.
  for (int round = 0; round < 12000; ++round) {
    if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) break;
    Search search{GetCurrentProcessId(), {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found) {
      if (handled.count(window)) continue;
      Sleep(100);  // let it finish its initialisation
      if (!IsWindow(window)) continue;
      handled.insert(window);
      std::string caption = toUtf8(windowText(window));
      bool planned =
          next < plan.size() && (plan[next].caption == "*" || plan[next].caption == caption);
      // A window left alone (a progress window) changes while we look: only
      // its caption is logged.
      bool leftAlone = planned && plan[next].actions.size() == 1 && plan[next].actions[0] == "wait";
      log("window \"" + caption + "\"" + (leftAlone ? std::string() : describe(window)));
      if (planned) {
        for (const std::string& action : plan[next].actions) {
          log("  " + action);
          perform(window, action);
        }
        ++next;
      } else {
        log("  not in the plan: closed");
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        PostMessageW(window, WM_CLOSE, 0, 0);
      }
    }
  }
  DWORD exitCode = 1;
  if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
    log("the installer did not end");
    TerminateProcess(process.hProcess, 1);
  }
  GetExitCodeProcess(process.hProcess, &exitCode);
  if (next < plan.size()) log("steps left: " + std::to_string(plan.size() - next));
  std::fclose(logFile);
  return static_cast<int>(exitCode);
}
