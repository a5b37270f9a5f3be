#include "host_context.h"

#include <cstring>

#include "parse_integer.h"
#include "support_log.h"
#include "trace.h"

HostContext hostContext = {0, nullptr, nullptr, 0};
HINSTANCE moduleInstance = nullptr;

namespace {

std::size_t entryCapacity() {
  return hostContext.stringSize > 0 ? static_cast<std::size_t>(hostContext.stringSize) : 0;
}

// Copies at most capacity - 1 characters of text and a zero.
void copyBounded(HostChar* destination, std::size_t capacity, const HostChar* text) {
  if (!destination || capacity == 0) return;
  std::size_t length = hostTextLength(text, capacity - 1);
  std::memcpy(destination, text, length * sizeof(HostChar));
  destination[length] = 0;
}

}  // namespace

std::size_t hostTextLength(const HostChar* text, std::size_t limit) {
  std::size_t length = 0;
  while (length < limit && text[length]) ++length;
  return length;
}

UINT_PTR pluginCallback(enum NSPIM) { return 0; }

void setupHostContext(int stringSize, HostChar* variables, stack_t** stackTop,
                      extra_parameters* extra) {
  if (hostContext.setUp) return;
  hostContext.stringSize = stringSize;
  hostContext.variables = variables;
  hostContext.stackTop = stackTop;
  if (extra && extra->RegisterPluginCallback)
    extra->RegisterPluginCallback(moduleInstance, pluginCallback);
  hostContext.setUp = 1;
}

HostChar* variableSlot(int index) {
  if (index < 0 || index >= VAR_COUNT || !hostContext.variables) return nullptr;
  return hostContext.variables + static_cast<std::size_t>(index) * entryCapacity();
}

HostChar* getVariable(int index) {
  HostChar* variable = variableSlot(index);
  if (traceSink && variable) logHostValue(HostAccess::kRead, index, variable);
  return variable;
}

void setVariable(int index, const HostChar* text) {
  HostChar* variable = variableSlot(index);
  if (!variable || !text) return;
  copyBounded(variable, entryCapacity(), text);
  if (traceSink) logHostValue(HostAccess::kSet, index, variable);
}

const HostChar* peekStackString() {
  if (!hostContext.stackTop || !*hostContext.stackTop || entryCapacity() == 0) return nullptr;
  stack_t* top = *hostContext.stackTop;
  // The host's entries hold at most string size characters; never read beyond.
  top->text[entryCapacity() - 1] = 0;
  return top->text;
}

int dropStackEntry() {
  if (!hostContext.stackTop || !*hostContext.stackTop) return 1;
  stack_t* top = *hostContext.stackTop;
  if (traceSink && peekStackString()) logHostValue(HostAccess::kPopped, -1, top->text);
  *hostContext.stackTop = top->next;
  GlobalFree(top);
  return 0;
}

int popStackString(HostChar* buffer, std::size_t capacity) {
  const HostChar* text = peekStackString();
  if (!text) return 1;
  if (buffer) copyBounded(buffer, capacity, text);
  return dropStackEntry();
}

void pushStackString(const HostChar* text) {
  if (!hostContext.stackTop || entryCapacity() == 0) return;
  // The size NSIS gives its own entries: the host treats ours as its own.
  auto* entry = static_cast<stack_t*>(
      GlobalAlloc(GPTR, sizeof(stack_t) + entryCapacity() * sizeof(HostChar)));
  if (!entry) return;
  static const HostChar kEmpty[1] = {0};
  copyBounded(entry->text, entryCapacity(), text ? text : kEmpty);
  entry->next = *hostContext.stackTop;
  *hostContext.stackTop = entry;
  if (traceSink) logHostValue(HostAccess::kPushed, -1, entry->text);
}

int popStackInteger() {
  HostChar text[128] = {};
  if (popStackString(text, 128) != 0) return 0;
  char digits[128];
  for (int i = 0; i < 128; ++i) digits[i] = (text[i] & ~0x7F) == 0 ? static_cast<char>(text[i]) : '?';
  return parseInteger(digits);
}
