// What the installer hands every export: its variables and its string stack.
// Stored once per load by setupHostContext, which also registers the callback
// that keeps this DLL loaded until the installer ends.
#pragma once

#include <cstddef>

#include "nsis_plugin_api.h"

struct HostContext {
  int stringSize;
  char* variables;
  stack_t** stackTop;
  int setUp;
};

extern HostContext hostContext;
extern HINSTANCE moduleInstance;

void setupHostContext(int stringSize, char* variables, stack_t** stackTop,
                      extra_parameters* extra);
UINT_PTR pluginCallback(enum NSPIM notification);

// Null when index is outside 0-24 or no host values were stored yet.
char* getVariable(int index);
// Copies text into variable index, cut to string size - 1 characters.
void setVariable(int index, const char* text);
// Takes the top entry: 0 when taken, 1 when there is no stack or it is empty
// (buffer untouched). Copies at most capacity - 1 characters and a zero byte;
// a null buffer just drops the entry.
int popStackString(char* buffer, std::size_t capacity);
void pushStackString(const char* text);
// Pops the top entry (at most 127 characters) and parses it; 0 on an empty stack.
int popStackInteger();
