// The NSIS plug-in interface, as the NSIS 3 host lays it out (x86). The same
// source builds both flavours: an ANSI host's texts are chars in the system's
// ANSI code page, a Unicode host's are UTF-16 (QELT_UNICODE).
#pragma once

#include <windows.h>

#ifdef QELT_UNICODE
using HostChar = wchar_t;
#else
using HostChar = char;
#endif

struct stack_t {
  stack_t* next;
  HostChar text[1];  // string size characters of room in the host's block
};

enum NSPIM {
  NSPIM_UNLOAD,     // the installer is about to unload the plug-in
  NSPIM_GUIUNLOAD,  // the GUI is about to be torn down
};

typedef UINT_PTR (*NSISPLUGINCALLBACK)(enum NSPIM);

struct exec_flags_t;

struct extra_parameters {
  exec_flags_t* exec_flags;
  int(__stdcall* ExecuteCodeSegment)(int, HWND);
  void(__stdcall* validate_filename)(HostChar*);
  int(__stdcall* RegisterPluginCallback)(HMODULE, NSISPLUGINCALLBACK);
};

// Host variable indexes.
enum HostVariable {
  VAR_0 = 0, VAR_1, VAR_2, VAR_3, VAR_4, VAR_5, VAR_6, VAR_7, VAR_8, VAR_9,
  VAR_R0, VAR_R1, VAR_R2, VAR_R3, VAR_R4, VAR_R5, VAR_R6, VAR_R7, VAR_R8, VAR_R9,
  VAR_CMDLINE, VAR_INSTDIR, VAR_OUTDIR, VAR_EXEDIR, VAR_LANGUAGE,
  VAR_COUNT
};
