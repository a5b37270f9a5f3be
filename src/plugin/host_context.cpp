#include "host_context.h"

#include <cstring>

#include "parse_integer.h"

HostContext hostContext = {0, nullptr, nullptr, 0};
HINSTANCE moduleInstance = nullptr;

namespace {

// Copies at most capacity - 1 bytes of text and a zero byte.
void copyBounded(char* destination, std::size_t capacity, const char* text) {
  if (!destination || capacity == 0) return;
  std::size_t length = strnlen(text, capacity - 1);
  std::memcpy(destination, text, length);
  destination[length] = '\0';
}

std::size_t entryCapacity() {
  return hostContext.stringSize > 0 ? static_cast<std::size_t>(hostContext.stringSize) : 0;
}

}  // namespace

UINT_PTR pluginCallback(enum NSPIM) { return 0; }

void setupHostContext(int stringSize, char* variables, stack_t** stackTop,
                      extra_parameters* extra) {
  if (hostContext.setUp) return;
  hostContext.stringSize = stringSize;
  hostContext.variables = variables;
  hostContext.stackTop = stackTop;
  if (extra && extra->RegisterPluginCallback)
    extra->RegisterPluginCallback(moduleInstance, pluginCallback);
  hostContext.setUp = 1;
}

char* getVariable(int index) {
  if (index < 0 || index >= VAR_COUNT || !hostContext.variables) return nullptr;
  return hostContext.variables + static_cast<std::size_t>(index) * entryCapacity();
}

void setVariable(int index, const char* text) {
  char* variable = getVariable(index);
  if (!variable || !text) return;
  copyBounded(variable, entryCapacity(), text);
}

int popStackString(char* buffer, std::size_t capacity) {
  if (!hostContext.stackTop || !*hostContext.stackTop) return 1;
  stack_t* top = *hostContext.stackTop;
  if (buffer) {
    // The host's entries hold at most string size bytes; never read beyond.
    std::size_t limit = entryCapacity() ? entryCapacity() : 1;
    std::size_t length = strnlen(top->text, limit - 1);
    if (capacity > 0) {
      if (length >= capacity) length = capacity - 1;
      std::memcpy(buffer, top->text, length);
      buffer[length] = '\0';
    }
  }
  *hostContext.stackTop = top->next;
  GlobalFree(top);
  return 0;
}

void pushStackString(const char* text) {
  if (!hostContext.stackTop || entryCapacity() == 0) return;
  auto* entry = static_cast<stack_t*>(
      GlobalAlloc(GPTR, sizeof(stack_t*) + entryCapacity() + sizeof(stack_t*)));
  if (!entry) return;
  copyBounded(entry->text, entryCapacity(), text ? text : "");
  entry->next = *hostContext.stackTop;
  *hostContext.stackTop = entry;
}

int popStackInteger() {
  char text[128] = "";
  if (popStackString(text, sizeof text) != 0) return 0;
  return parseInteger(text);
}
