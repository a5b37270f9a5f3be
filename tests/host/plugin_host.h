// Loads QeltNSIS.dll as the NSIS installer does and calls its exports: a
// variables block of 25 string-size variables, a stack of GlobalAlloc
// entries, extra_parameters with a recording RegisterPluginCallback. Guard
// bytes around the variables block catch writes past it, and MessageBoxA is
// intercepted in the DLL's import table so every box is recorded (and
// answered at once).
#pragma once

#include <windows.h>

#include "nsis_plugin_api.h"

#include <string>
#include <vector>

struct RecordedMessageBox {
  bool hasOwner;
  std::string text;
  bool hasCaption;
  std::string caption;
  UINT type;
};

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

  // Variables by index (0-9 $0-$9, 10-19 $R0-$R9, ...).
  std::string var(int index) const;
  void setVar(int index, const std::string& text);
  // Raw storage of a variable, for byte-exact checks.
  const char* rawVar(int index) const;

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

  HMODULE module_ = nullptr;
  int stringSize_;
  std::vector<char> block_;  // guard, 25 variables, guard
  stack_t* top_ = nullptr;
  extra_parameters extra_ = {};
};

// Paths of the build, as Windows paths.
std::string pluginDllPath();
std::string nolmStandinDirectory(const char* set);  // "lib", "no-nolmcc", ... with trailing '\'
