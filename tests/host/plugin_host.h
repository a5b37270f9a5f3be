// Loads QeltNSIS.dll as the NSIS installer does and calls its exports: a
// variables block of 25 string-size variables, a stack of GlobalAlloc
// entries, extra_parameters with a recording RegisterPluginCallback. Guard
// bytes around the variables block catch writes past it, and the message
// boxes are intercepted in the DLL's import table so every box is recorded
// (and answered at once).
//
// Both flavours of the plug-in: QELT_FLAVOUR=unicode in the environment
// selects the x86-unicode DLL, whose host holds UTF-16 texts. The test's
// texts stay Windows-1251 strings either way; the host converts them.
#pragma once

#include <windows.h>

#include "nsis_plugin_api.h"  // the variable indexes

#include <string>
#include <vector>

enum class Flavour { kAnsi, kUnicode };
Flavour testFlavour();
const char* flavourName();  // "ansi" or "unicode"

struct RecordedMessageBox {
  bool hasOwner;
  std::string text;     // as Windows-1251
  bool hasCaption;
  std::string caption;  // as Windows-1251
  UINT type;
  bool wide;            // shown through MessageBoxW
  std::wstring wideText;
};

// The host's stack entry: the next entry, then string size characters.
struct HostEntry {
  HostEntry* next;
  char text[1];
};

typedef UINT_PTR (*HostPluginCallback)(enum NSPIM);
struct HostExtraParameters {
  void* execFlags;
  int(__stdcall* executeCodeSegment)(int, HWND);
  void(__stdcall* validateFilename)(void*);
  int(__stdcall* registerPluginCallback)(HMODULE, HostPluginCallback);
};

std::string wideTo1251(const std::wstring& text);
std::wstring wideFrom1251(const std::string& text);

class PluginHost {
 public:
  explicit PluginHost(int stringSize = 1024, const char* dllPath = nullptr);
  ~PluginHost();
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  HMODULE module() const { return module_; }
  int stringSize() const { return stringSize_; }

  // Calls an export; fails the current test if the DLL lacks it or a guard
  // byte was overwritten.
  void call(const char* exportName, HWND parent = nullptr);

  // Variables by index (0-9 $0-$9, 10-19 $R0-$R9, ...), as Windows-1251.
  std::string var(int index) const;
  void setVar(int index, const std::string& text);
  // The exact text of a variable or entry: UTF-16 in a Unicode host; an ANSI
  // host's bytes taken in the system's code page.
  std::wstring varWide(int index) const;
  void setVarWide(int index, const std::wstring& text);
  void pushWide(const std::wstring& text);
  std::vector<std::wstring> stackWide() const;  // top first

  void push(const std::string& text);
  // Pops the top entry; false when the stack is empty.
  bool pop(std::string* text);
  std::vector<std::string> stack() const;  // top first
  void clearStack();

  // The answer every intercepted message box returns.
  static void setMessageBoxAnswer(int answer);
  static std::vector<RecordedMessageBox>& messageBoxes();
  int callbackRegistrations() const;
  HMODULE registeredModule() const;

  bool guardsIntact() const;

 private:
  static constexpr int kGuardSize = 256;
  static constexpr unsigned char kGuardByte = 0xA5;

  char* variable(int index) const;
  size_t unit() const { return unicode_ ? 2 : 1; }
  std::wstring textWide(const char* text) const;
  std::string text1251(const char* text) const;
  void pushRaw(const void* text, size_t characters);

  HMODULE module_ = nullptr;
  int stringSize_;
  bool unicode_;
  mutable std::vector<char> block_;  // guard, 25 variables, guard
  HostEntry* top_ = nullptr;
  HostExtraParameters extra_ = {};
};

// What LastError tells after the last command: its code and its text.
struct Failure {
  std::string code;
  std::string text;
};
Failure lastError(PluginHost& host);

// Paths of the build, as Windows paths.
std::string pluginDllPath();
std::string nolmStandinDirectory(const char* set);  // "lib", "no-nolmcc", ... with trailing '\'
std::string systemDirectory();                      // with trailing '\'
