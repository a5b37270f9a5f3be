// What the installer hands every export: its variables and its string stack,
// in the host's own characters. Stored once per load by setupHostContext,
// which also registers the callback that keeps this DLL loaded until the
// installer ends. Exports reach the host through host_text.h, which converts.
#pragma once

#include <cstddef>

#include "nsis_plugin_api.h"

struct HostContext {
  int stringSize;  // characters of every variable and stack entry
  HostChar* variables;
  stack_t** stackTop;
  int setUp;
};

extern HostContext hostContext;
extern HINSTANCE moduleInstance;

void setupHostContext(int stringSize, HostChar* variables, stack_t** stackTop,
                      extra_parameters* extra);
UINT_PTR pluginCallback(enum NSPIM notification);

// Null when index is outside 0-24 or no host values were stored yet.
// getVariable is an export's input (the support log shows it); variableSlot
// is the frame's own look.
HostChar* getVariable(int index);
HostChar* variableSlot(int index);
// Copies text into variable index, cut to string size - 1 characters.
void setVariable(int index, const HostChar* text);
// The top entry's text (at most string size - 1 characters), null on an
// empty stack. Valid until the entry is dropped.
const HostChar* peekStackString();
// Drops the top entry: 0 when one was dropped, 1 when the stack is empty.
int dropStackEntry();
// Takes the top entry: 0 when taken, 1 when there is no stack or it is empty
// (buffer untouched). Copies at most capacity - 1 characters and a zero; a
// null buffer just drops the entry.
int popStackString(HostChar* buffer, std::size_t capacity);
void pushStackString(const HostChar* text);
// Pops the top entry (at most 127 characters) and parses it; 0 on an empty stack.
int popStackInteger();
// The length of text, at most limit.
std::size_t hostTextLength(const HostChar* text, std::size_t limit);
