// nolmmsg.dll and nolmcc.dll keep no state: each call goes on to
// Standin<name> in the nolm32.dll loaded in the process, found at call time,
// so the DLLs have no load-time link to each other and can be loaded and
// freed in any order.
#pragma once

#include <windows.h>

#include "standin_nolm.h"

// Returned when no nolm32.dll is loaded.
constexpr int kNolm32NotLoaded = -1;

inline FARPROC nolm32Function(const char* name) {
  HMODULE nolm32 = GetModuleHandleA("nolm32.dll");
  return nolm32 ? GetProcAddress(nolm32, name) : nullptr;
}

template <typename... Args>
int forwardToNolm32(const char* name, Args... args) {
  typedef int(NOLM_CALL * Function)(Args...);
  FARPROC function = nolm32Function(name);
  if (!function) return kNolm32NotLoaded;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(function))(args...);
}
