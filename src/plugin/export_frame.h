// Every export is one line here: QELT_PLUGIN_EXPORT(Name, body, verdict),
// where body is a void(HWND parent) function. The frame runs the per-load
// set-up, keeps every C++ exception from unwinding into the installer, wipes
// the scratch texts a call leaves behind, and tells the support log what
// the export read, wrote and ended with.
#pragma once

#include "nsis_plugin_api.h"

using ExportBody = void (*)(HWND parent);

// A command forgets the last failure as it begins; LastError and Quiet keep it.
enum class LastFailure : unsigned char { kForget, kKeep };

// How the include file's macro sets NSIS's error flag after the command,
// for the support log: by one output (a variable, the entry the command
// pushed last, or LastError's code) equal to a value or not.
struct MacroVerdict {
  const char* value;
  signed char output;
  bool failsWhenEqual;
};
constexpr int kPushedLast = -1;
constexpr int kLastErrorCode = -2;
constexpr int kFlagCleared = -3;
constexpr int kFlagKept = -4;
constexpr MacroVerdict succeedsWhen(int output, const char* value) {
  return {value, static_cast<signed char>(output), false};
}
constexpr MacroVerdict failsWhen(int output, const char* value) {
  return {value, static_cast<signed char>(output), true};
}
constexpr MacroVerdict kClearsFlag = {"", kFlagCleared, false};
constexpr MacroVerdict kKeepsFlag = {"", kFlagKept, false};

// Variables that hold a password or a PIN in a command: the log shows *** for them.
constexpr unsigned kSecretIn2 = 1u << VAR_2;
constexpr unsigned kSecretIn2And3 = 1u << VAR_2 | 1u << VAR_3;

struct ExportInfo {
  const char* name;
  ExportBody body;
  MacroVerdict verdict;
  LastFailure lastFailure;
  unsigned char secretVariables;  // $0-$7 are enough
};

void runExport(const ExportInfo& info, HWND parent, int stringSize, HostChar* variables,
               stack_t** stackTop, extra_parameters* extra) noexcept;

// The caller removes the arguments (cdecl); nothing is returned.
#define QELT_EXPORT(name, body, lastFailure, secrets, verdict)                            \
  extern "C" void __cdecl name(HWND parent, int stringSize, HostChar* variables,        \
                               stack_t** stackTop, extra_parameters* extra) {            \
    static const ExportInfo info = {#name, body, verdict, lastFailure, secrets};            \
    runExport(info, parent, stringSize, variables, stackTop, extra);                     \
  }
#define QELT_PLUGIN_EXPORT(name, body, verdict) \
  QELT_EXPORT(name, body, LastFailure::kForget, 0, verdict)
#define QELT_SECRET_EXPORT(name, body, secrets, verdict) \
  QELT_EXPORT(name, body, LastFailure::kForget, secrets, verdict)
