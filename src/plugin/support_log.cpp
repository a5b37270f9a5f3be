#include "support_log.h"

#include <cwchar>

#include "code_pages.h"
#include "host_context.h"
#include "trace.h"
#include "version.h"

namespace {

constexpr DWORD kMostBytes = 4 * 1024 * 1024;
constexpr std::size_t kPathCapacity = 1024;
constexpr std::size_t kLineCapacity = 4096;

HANDLE file = INVALID_HANDLE_VALUE;
DWORD bytesWritten = 0;
wchar_t environmentPath[kPathCapacity] = L"";
unsigned secretVariables = 0;
int pushes = 0;

wchar_t line[kLineCapacity];
char utf8[kLineCapacity * 3];

void closeFile() {
  traceSink = nullptr;
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  file = INVALID_HANDLE_VALUE;
}

// False, with the log closed, when the bytes cannot all be written.
bool writeBytes(const void* bytes, DWORD count) {
  DWORD written = 0;
  if (!WriteFile(file, bytes, count, &written, nullptr) || written != count) {
    closeFile();
    return false;
  }
  bytesWritten += count;
  return true;
}

// Appends text to the line from at, a line break as " / "; the new end.
std::size_t append(std::size_t at, const wchar_t* text) {
  for (; text && *text && at + 4 < kLineCapacity; ++text) {
    if (*text == L'\r') continue;
    if (*text == L'\n') {
      std::wmemcpy(line + at, L" / ", 3);
      at += 3;
    } else {
      line[at++] = *text;
    }
  }
  return at;
}

void writeLine(std::size_t length) {
  line[length++] = L'\r';
  line[length++] = L'\n';
  int count = WideCharToMultiByte(CP_UTF8, 0, line, static_cast<int>(length), utf8, sizeof utf8,
                                  nullptr, nullptr);
  if (count <= 0) return;
  if (bytesWritten + static_cast<DWORD>(count) > kMostBytes - 256) {
    static const char kEnd[] = "The log ends here: it has reached its limit of 4 MB.\r\n";
    writeBytes(kEnd, sizeof kEnd - 1);
    closeFile();
    return;
  }
  writeBytes(utf8, static_cast<DWORD>(count));
}

void stampedLine(const wchar_t* first, const wchar_t* second = nullptr) {
  if (file == INVALID_HANDLE_VALUE) return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  int stamp = _snwprintf(line, kLineCapacity, L"%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear,
                         now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                         now.wMilliseconds);
  writeLine(append(append(stamp > 0 ? stamp : 0, first), second));
}

void receiveEvent(const char* text, const wchar_t* tail) {
  wchar_t wide[1024];
  platform::toWide(text, platform::CodePage::kWindows1251, wide + 2, 1022);
  wide[0] = wide[1] = L' ';
  stampedLine(wide, tail);
}

void writeHeader(const wchar_t* path) {
  wchar_t text[256];
#ifdef QELT_UNICODE
  const wchar_t* flavour = L"unicode";
#else
  const wchar_t* flavour = L"ansi";
#endif
  _snwprintf(text, 256, L"QeltNSIS %hs (%ls-%ls), log ", QELT_VERSION_STRING,
             sizeof(void*) == 8 ? L"amd64" : L"x86", flavour);
  text[255] = L'\0';
  stampedLine(text, path);
  // What the installer's manifest lets the system tell: 10.0 for Windows 10 and 11.
  const DWORD version = GetVersion();
  _snwprintf(text, 256, L"Windows %lu.%lu build %lu, ANSI code page %u, OEM code page %u",
             version & 0xFF, (version >> 8) & 0xFF, version < 0x80000000 ? version >> 16 : 0,
             GetACP(), GetOEMCP());
  stampedLine(text);
  const HostChar* language = variableSlot(VAR_LANGUAGE);
  wchar_t languageText[16] = L"";
  for (int i = 0; language && i < 15 && language[i]; ++i) languageText[i] = language[i];
  _snwprintf(text, 256, L"installer: string size %d, $LANGUAGE %ls", hostContext.stringSize,
             languageText);
  stampedLine(text);
}

}  // namespace

bool openSupportLog(const wchar_t* path) {
  if (file != INVALID_HANDLE_VALUE) stampedLine(L"the script moves the log to ", path);
  closeFile();
  if (!path || !*path) return true;
  file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  GetFileSizeEx(file, &size);
  if (size.QuadPart >= kMostBytes) {
    closeFile();
    return false;
  }
  bytesWritten = static_cast<DWORD>(size.QuadPart);
  static const unsigned char kByteOrderMark[] = {0xEF, 0xBB, 0xBF};
  if (size.QuadPart == 0 && !writeBytes(kByteOrderMark, sizeof kByteOrderMark)) return false;
  traceSink = receiveEvent;
  writeHeader(path);
  return file != INVALID_HANDLE_VALUE;
}

void readLogEnvironment() {
  DWORD length = GetEnvironmentVariableW(L"QELTNSIS_LOG", environmentPath, kPathCapacity);
  // Not set, or too long to be a path: no log.
  if (length == 0 || length >= kPathCapacity) environmentPath[0] = L'\0';
}

void openLogFromEnvironment() {
  if (environmentPath[0]) openSupportLog(environmentPath);
}

void logLine(const wchar_t* text) {
  if (traceSink) stampedLine(text);
}

void logHostValue(HostAccess access, int index, const HostChar* text) {
  static const char* const kAccess[] = {"read", "set", "popped", "pushed"};
  if (access == HostAccess::kPushed) ++pushes;
  wchar_t prefix[32];
  _snwprintf(prefix, 32, index < 0 ? L"  %hs " : L"  %hs $%hs%d ", kAccess[static_cast<int>(access)],
             index < VAR_R0 ? "" : "R", index % VAR_R0);
  prefix[31] = L'\0';
  std::size_t length = hostTextLength(text, kLineCapacity / 2);
  wchar_t value[kLineCapacity / 2 + 32];
  if (index >= 0 && index < 8 && (secretVariables >> index) & 1) {
    _snwprintf(value, 32, L"*** (%u characters)", static_cast<unsigned>(length));
  } else {
#ifdef QELT_UNICODE
    _snwprintf(value, kLineCapacity / 2 + 32, L"\"%.*ls\"", static_cast<int>(length), text);
#else
    value[0] = L'"';
    int units = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), value + 1,
                                    kLineCapacity / 2);
    value[units + 1] = L'"';
    value[units + 2] = L'\0';
#endif
  }
  value[kLineCapacity / 2 + 31] = L'\0';
  stampedLine(prefix, value);
}

void setSecretVariables(unsigned mask) { secretVariables = mask; }
int pushedEntries() { return pushes; }
void forgetPushedEntries() { pushes = 0; }
