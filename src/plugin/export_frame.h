// Every export is one line here: QELT_PLUGIN_EXPORT(Name, body), where body
// is a void(HWND parent) function. The frame runs the per-load set-up, keeps
// every C++ exception from unwinding into the installer, and wipes the
// scratch texts a call leaves behind.
#pragma once

#include "nsis_plugin_api.h"

using ExportBody = void (*)(HWND parent);

// A command forgets the last failure as it begins; LastError and Quiet keep it.
enum class LastFailure { kForget, kKeep };

void runExport(ExportBody body, LastFailure lastFailure, HWND parent, int stringSize,
               HostChar* variables, stack_t** stackTop, extra_parameters* extra) noexcept;

// The caller removes the arguments (cdecl); nothing is returned.
#define QELT_EXPORT_WITH(name, body, lastFailure)                                        \
  extern "C" void __cdecl name(HWND parent, int stringSize, HostChar* variables,        \
                               stack_t** stackTop, extra_parameters* extra) {            \
    runExport(body, lastFailure, parent, stringSize, variables, stackTop, extra);       \
  }
#define QELT_PLUGIN_EXPORT(name, body) QELT_EXPORT_WITH(name, body, LastFailure::kForget)
