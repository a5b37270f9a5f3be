// qelt-robot: plays the user of an installer. Starts the installer, watches
// for the dialogs and message boxes it opens, answers them as a plan says
// (plan.h; kit/docs/plan-format.md) and logs what it saw and did. Exits
// with the installer's exit code; 250 when the plan cannot be used or the
// installer cannot be started.
//
//   qelt-robot.exe [--timeout <seconds>] <plan> <log> <installer.exe> [arguments...]
//
// A window no step answers is logged ("not in the plan") and closed with its
// default button, so that an installer never waits on it; an installer still
// running at the timeout is logged with the windows it shows and ended.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "plan.h"

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

FILE* logFile = nullptr;

void log(const std::string& text) {
  std::fprintf(logFile, "%s\n", text.c_str());
  std::fflush(logFile);
}

std::string windowText(HWND window) {
  wchar_t buffer[2048] = L"";
  GetWindowTextW(window, buffer, 2048);
  return toUtf8(buffer);
}

// A button's text as the user reads it: without its mnemonic marks.
std::string buttonText(HWND button) {
  std::string text = windowText(button), out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&&" stands for one '&'
    out += text[i];
  }
  return out;
}

bool isClass(HWND window, const wchar_t* name) {
  wchar_t cls[64] = L"";
  GetClassNameW(window, cls, 64);
  return _wcsicmp(cls, name) == 0;
}

std::vector<HWND> children(HWND dialog, const wchar_t* cls) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (isClass(child, cls) && IsWindowVisible(child)) found.push_back(child);
  return found;
}

std::string listEntry(HWND list, int index) {
  wchar_t item[1024] = L"";
  if (SendMessageW(list, LB_GETTEXTLEN, index, 0) < 1024)
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(item));
  return toUtf8(item);
}

// The texts a user reads in a window: static texts, list entries, buttons.
std::string describe(HWND dialog) {
  std::string out;
  for (HWND child : children(dialog, L"Static")) {
    std::string text = windowText(child);
    if (!text.empty()) out += " text=\"" + text + "\"";
  }
  for (HWND list : children(dialog, L"ListBox")) {
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    out += " list=[";
    for (int i = 0; i < count; ++i) out += (i ? ", \"" : "\"") + listEntry(list, i) + "\"";
    out += "]";
  }
  std::string buttons;
  for (HWND button : children(dialog, L"Button"))
    buttons += (buttons.empty() ? "\"" : ", \"") + buttonText(button) + "\"";
  if (!buttons.empty()) out += " buttons=[" + buttons + "]";
  return out;
}

HWND findButton(HWND dialog, const std::string& name) {
  for (HWND button : children(dialog, L"Button"))
    if (lstrcmpiW(fromUtf8(buttonText(button)).c_str(), fromUtf8(name).c_str()) == 0) return button;
  return nullptr;
}

bool typeInto(HWND dialog, const Action& action) {
  HWND field = nullptr;
  std::string where;
  if (action.target == Target::Id) {
    field = GetDlgItem(dialog, action.number);
    where = "control #" + std::to_string(action.number);
  } else {
    std::vector<HWND> fields = children(dialog, L"Edit");
    if (action.number <= static_cast<int>(fields.size())) field = fields[action.number - 1];
    where = "field " + std::to_string(action.number);
  }
  log("  type \"" + action.text + "\" into " + where + (field ? "" : ": no such field"));
  // Setting the text sends EN_CHANGE to the dialog, as typing does.
  if (field) SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fromUtf8(action.text).c_str()));
  return field != nullptr;
}

bool select(HWND dialog, const Action& action) {
  std::vector<HWND> lists = children(dialog, L"ListBox");
  HWND list = lists.empty() ? nullptr : lists[0];
  int index = action.number;
  if (list && action.target == Target::Text) {
    index = static_cast<int>(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(fromUtf8(action.name).c_str())));
  }
  bool found = list && index >= 0 && index < static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  log("  select \"" + (found ? listEntry(list, index) : action.name) + "\"" +
      (found ? "" : ": no such entry"));
  if (found) SendMessageW(list, LB_SETCURSEL, index, 0);
  return found;
}

bool click(HWND dialog, const Action& action) {
  HWND button = action.target == Target::Id ? GetDlgItem(dialog, action.number) : findButton(dialog, action.name);
  if (!button) {
    log("  click " + (action.target == Target::Id ? "#" + std::to_string(action.number) : "\"" + action.name + "\"") +
        ": no such button");
    return false;
  }
  bool enabled = IsWindowEnabled(button);
  log("  click \"" + buttonText(button) + "\"" + (enabled ? "" : ": the button is disabled"));
  SendMessageW(button, BM_CLICK, 0, 0);
  return enabled;
}

// Carries out one action; false when the window lacks what it names.
bool perform(HWND dialog, const Action& action) {
  bool done = true;
  switch (action.verb) {
    case Verb::Type: done = typeInto(dialog, action); break;
    case Verb::Select: done = select(dialog, action); break;
    case Verb::Click: done = click(dialog, action); break;
    case Verb::Close:
      log("  close");
      PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case Verb::Wait: log("  wait"); break;
  }
  Sleep(50);
  return done;
}

void closeUnanswered(HWND window) {
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  PostMessageW(window, WM_CLOSE, 0, 0);
}

struct Search {
  DWORD ownProcess;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->ownProcess && IsWindowVisible(window) && isClass(window, L"#32770"))
    search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> dialogs() {
  Search search{GetCurrentProcessId(), {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string exitText(DWORD code) {
  char text[32];
  std::snprintf(text, sizeof text, code >= 0xC0000000u ? "0x%08lX" : "%lu", static_cast<unsigned long>(code));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = 600;
  int first = 1;
  if (argc > 2 && std::string(argv[1]) == "--timeout") {
    seconds = std::atoi(argv[2]);
    first = 3;
  }
  if (argc - first < 3 || seconds <= 0) {
    std::fprintf(stderr, "usage: qelt-robot [--timeout <seconds>] <plan> <log> <installer.exe> [arguments...]\n");
    return 250;
  }
  logFile = std::fopen(argv[first + 1], "wb");
  if (!logFile) return 250;
  std::vector<Step> plan;
  std::string error;
  if (!readPlan(argv[first], &plan, &error)) {
    log("plan error: " + error);
    std::fprintf(stderr, "qelt-robot: %s\n", error.c_str());
    return 250;
  }

  std::string command = "\"" + std::string(argv[first + 2]) + "\"";
  for (int i = first + 3; i < argc; ++i) command += " " + std::string(argv[i]);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    log("cannot start the installer: " + command);
    return 250;
  }

  std::set<HWND> handled;
  size_t next = 0;
  DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (WaitForSingleObject(process.hProcess, 50) != WAIT_OBJECT_0 &&
         static_cast<LONG>(deadline - GetTickCount()) > 0) {
    for (HWND window : dialogs()) {
      if (handled.count(window)) continue;
      Sleep(100);  // let it finish its initialisation
      if (!IsWindow(window)) continue;
      handled.insert(window);
      std::string caption = windowText(window);
      bool planned =
          next < plan.size() && (plan[next].caption == "*" || plan[next].caption == caption);
      // A window left alone (a progress window) changes while we look: only
      // its caption is logged.
      bool leftAlone = planned && plan[next].actions.size() == 1 && plan[next].actions[0].verb == Verb::Wait;
      log("window \"" + caption + "\"" + (leftAlone ? std::string() : describe(window)));
      if (planned) {
        bool done = true;
        for (const Action& action : plan[next].actions) done = done && perform(window, action);
        if (!done) {
          log("  plan line " + std::to_string(plan[next].line) + " cannot be carried out here: closed");
          if (IsWindow(window)) closeUnanswered(window);
        }
        ++next;
      } else {
        log("  not in the plan: closed");
        closeUnanswered(window);
      }
    }
  }
  if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
    log("the installer did not end within " + std::to_string(seconds) + " s");
    for (HWND window : dialogs()) log("  still open: window \"" + windowText(window) + "\"" + describe(window));
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  for (size_t i = next; i < plan.size(); ++i)
    log("plan step not reached: line " + std::to_string(plan[i].line) + " \"" + plan[i].caption + "\"");
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  log("exit code " + exitText(exitCode));
  std::fclose(logFile);
  return static_cast<int>(exitCode);
}
