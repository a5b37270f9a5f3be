// The NSIS plug-in interface, as the NSIS 3 host lays it out (x86, ANSI).
#pragma once

#include <windows.h>

struct stack_t {
  stack_t* next;
  char text[1];  // string size bytes of room in the host's block
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
  void(__stdcall* validate_filename)(char*);
  int(__stdcall* RegisterPluginCallback)(HMODULE, NSISPLUGINCALLBACK);
};

// Every export: the caller removes the arguments (cdecl), nothing is returned.
#define QELT_EXPORT(name)                                                        \
  extern "C" void __cdecl name(HWND parentWindow, int stringSize, char* variables, \
                               stack_t** stackTop, extra_parameters* extra)

// Host variable indexes.
enum HostVariable {
  VAR_0 = 0, VAR_1, VAR_2, VAR_3, VAR_4, VAR_5, VAR_6, VAR_7, VAR_8, VAR_9,
  VAR_R0, VAR_R1, VAR_R2, VAR_R3, VAR_R4, VAR_R5, VAR_R6, VAR_R7, VAR_R8, VAR_R9,
  VAR_CMDLINE, VAR_INSTDIR, VAR_OUTDIR, VAR_EXEDIR, VAR_LANGUAGE,
  VAR_COUNT
};
