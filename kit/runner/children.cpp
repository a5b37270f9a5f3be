#include "children.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>

#include "files.h"
#include "text.h"

namespace {

HANDLE job = nullptr;
HANDLE interruptEvent = nullptr;
std::atomic<bool> wasInterrupted{false};

BOOL WINAPI onConsoleEvent(DWORD) {
  wasInterrupted = true;
  SetEvent(interruptEvent);
  endChildren();
  // The run goes on to remove what it placed and then ends itself; a closed
  // console ends this program when the handler returns, so wait a little.
  Sleep(4000);
  return TRUE;
}

}  // namespace

void startChildControl() {
  job = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job) SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  interruptEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

bool interrupted() { return wasInterrupted; }

void endChildren() {
  if (job) TerminateJobObject(job, 1);
}

std::wstring quoteArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

static HANDLE openOutput(const std::wstring& path) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

static bool startProcess(const std::wstring& commandLine, const std::wstring& folder, HANDLE output,
                         PROCESS_INFORMATION* process) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  std::wstring mutableLine = commandLine;
  if (!CreateProcessW(nullptr, &mutableLine[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                      folder.c_str(), &startup, process))
    return false;
  // Outside a job (one that does not allow it) the process is ended alone.
  if (job) AssignProcessToJobObject(job, process->hProcess);
  ResumeThread(process->hThread);
  CloseHandle(process->hThread);
  return true;
}

ChildResult runChild(const std::wstring& commandLine, const std::wstring& folder, const std::wstring& outputFile,
                     unsigned long timeoutMs) {
  ChildResult result;
  if (interrupted()) {
    result.interrupted = true;
    return result;
  }
  HANDLE output = openOutput(outputFile);
  PROCESS_INFORMATION process = {};
  result.started = output != INVALID_HANDLE_VALUE && startProcess(commandLine, folder, output, &process);
  if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
  if (!result.started) return result;
  HANDLE waitFor[] = {process.hProcess, interruptEvent};
  DWORD waited = WaitForMultipleObjects(2, waitFor, FALSE, timeoutMs);
  if (waited != WAIT_OBJECT_0) {
    result.timedOut = waited == WAIT_TIMEOUT;
    result.interrupted = !result.timedOut;
    TerminateProcess(process.hProcess, 1);
    endChildren();
    WaitForSingleObject(process.hProcess, 10000);
  }
  GetExitCodeProcess(process.hProcess, &result.exitCode);
  CloseHandle(process.hProcess);
  return result;
}

namespace {

typedef char* (__cdecl* ToLinux)(const wchar_t*);
typedef wchar_t* (__cdecl* ToWindows)(const char*);

FARPROC wineFunction(const char* name) {
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  return kernel ? GetProcAddress(kernel, name) : nullptr;
}

}  // namespace

bool underWine() { return wineFunction("wine_get_unix_file_name") != nullptr; }

std::string linuxPathOf(const std::wstring& path) {
  auto convert = reinterpret_cast<ToLinux>(reinterpret_cast<void (*)()>(wineFunction("wine_get_unix_file_name")));
  char* converted = convert ? convert(path.c_str()) : nullptr;
  if (!converted) return {};
  std::string out = converted;
  HeapFree(GetProcessHeap(), 0, converted);
  return out;
}

std::wstring windowsPathOf(const std::string& path) {
  auto convert = reinterpret_cast<ToWindows>(reinterpret_cast<void (*)()>(wineFunction("wine_get_dos_file_name")));
  wchar_t* converted = convert ? convert(path.c_str()) : nullptr;
  if (!converted) return {};
  std::wstring out = converted;
  HeapFree(GetProcessHeap(), 0, converted);
  return out;
}

ChildResult runLinuxProgram(const std::vector<std::string>& arguments, const std::wstring& folder,
                            const std::wstring& outputFile, unsigned long timeoutMs) {
  ChildResult result;
  const std::wstring status = outputFile + L".status";
  DeleteFileW(status.c_str());
  std::wstring shell = windowsPathOf("/bin/sh");
  std::wstring commandLine = quoteArgument(shell) +
                             L" -c \"out=$1 status=$2; shift 2; \\\"$@\\\" >\\\"$out\\\" 2>&1; "
                             L"echo $? >\\\"$status.part\\\" && mv -f \\\"$status.part\\\" \\\"$status\\\"\" sh " +
                             quoteArgument(fromUtf8(linuxPathOf(outputFile))) + L" " +
                             quoteArgument(fromUtf8(linuxPathOf(status)));
  for (const std::string& argument : arguments) commandLine += L" " + quoteArgument(fromUtf8(argument));
  PROCESS_INFORMATION process = {};
  result.started = !shell.empty() && startProcess(commandLine, folder, nullptr, &process);
  if (!result.started) return result;
  CloseHandle(process.hProcess);
  // The process handle Wine gives for a Linux program cannot be waited for.
  for (unsigned long waited = 0; !fileExists(status); waited += 100) {
    if (interrupted() || waited >= timeoutMs) {
      result.interrupted = interrupted();
      result.timedOut = !result.interrupted;
      return result;
    }
    Sleep(100);
  }
  std::string text;
  readFile(status, &text);
  DeleteFileW(status.c_str());
  result.exitCode = std::strtoul(text.c_str(), nullptr, 10);
  return result;
}
