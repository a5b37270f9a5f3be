#include "call_log.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "password_field.h"

namespace {

void appendLine(const std::string& line) {
  std::vector<char> path(32768);
  DWORD length =
      GetEnvironmentVariableA("NOLM_STANDIN_LOG", path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return;
  // Opened and closed for every line, so a test can read or remove the log
  // while the library stays loaded.
  HANDLE file = CreateFileA(path.data(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string bytes = line + "\n";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

std::string quoted(const std::string& bytes) {
  std::string shown = "\"";
  for (unsigned char byte : bytes) {
    if (byte == '"' || byte == '\\') {
      shown.push_back('\\');
      shown.push_back(static_cast<char>(byte));
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
      shown += escape;
    } else {
      shown.push_back(static_cast<char>(byte));
    }
  }
  return shown + "\"";
}

void appendLogNote(const std::string& text) { appendLine("# " + text); }

CallLog::CallLog(const char* function) : function_(function) {}

CallLog& CallLog::argument(const std::string& shown) {
  if (!first_) arguments_ += ", ";
  first_ = false;
  arguments_ += shown;
  return *this;
}

CallLog& CallLog::text(const char* value) { return argument(value ? quoted(value) : "null"); }

CallLog& CallLog::field(const char* value) {
  return argument(value ? "hex:" + hexOf(fieldAt(value)) : "null");
}

CallLog& CallLog::integer(int value) { return argument(std::to_string(value)); }

CallLog& CallLog::buffer(const void* value) { return argument(value ? "buffer" : "null"); }

CallLog& CallLog::count(const int* value) {
  return argument(value ? "&" + std::to_string(*value) : "null");
}

CallLog& CallLog::output(const char* name, const std::string& value) {
  outputs_ += std::string(" | ") + name + "=" + value;
  return *this;
}

void CallLog::write(const std::string& shownResult) {
  appendLine(function_ + "(" + arguments_ + ") -> " + shownResult + outputs_);
}

int CallLog::result(int value) {
  write(std::to_string(value));
  return value;
}

void** CallLog::result(void** table) {
  write(table ? "table" : "null");
  return table;
}
