// The call log: one line per call, appended to the file that
// NOLM_STANDIN_LOG names (no log when it is not set). Format: README.md.
#pragma once

#include <string>

// A text as the log shows it: "..." with ", \ and bytes below 0x20 escaped.
std::string quoted(const std::string& bytes);

// Writes "# <text>": a note that is not a call.
void appendLogNote(const std::string& text);

class CallLog {
 public:
  explicit CallLog(const char* function);

  CallLog& text(const char* value);      // "..." or null
  CallLog& field(const char* value);     // 33 bytes: hex:<66 digits>, or null
  CallLog& integer(int value);           // decimal
  CallLog& buffer(const void* value);    // an output buffer: buffer or null
  CallLog& count(const int* value);      // &<value on entry>, or null
  CallLog& output(const char* name, const std::string& value);  // " | name=value"

  // Writes the line with the result and returns it.
  int result(int value);
  void** result(void** table);  // table or null

 private:
  CallLog& argument(const std::string& shown);
  void write(const std::string& shownResult);

  std::string arguments_;
  std::string outputs_;
  std::string function_;
  bool first_ = true;
};
