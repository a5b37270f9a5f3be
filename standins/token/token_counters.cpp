#include "token_counters.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

using CounterMap = std::map<std::string, unsigned long>;

CounterMap& memoryCounters() {
  static CounterMap counters;
  return counters;
}

const char* counterFile() {
  const char* path = std::getenv("QELT_TOKEN_COUNTERS");
  return path && *path ? path : nullptr;
}

// File format: one "name value" line per counter.
void readCounters(const char* path, CounterMap* counters) {
  std::FILE* file = std::fopen(path, "r");
  if (!file) return;
  char name[128];
  unsigned long value = 0;
  while (std::fscanf(file, "%127s %lu", name, &value) == 2) (*counters)[name] = value;
  std::fclose(file);
}

void writeCounters(const char* path, const CounterMap& counters) {
  std::FILE* file = std::fopen(path, "w");
  if (!file) return;
  for (const auto& counter : counters) std::fprintf(file, "%s %lu\n", counter.first.c_str(), counter.second);
  std::fclose(file);
}

template <typename Change>
unsigned long changeCounter(const char* name, Change change) {
  const char* path = counterFile();
  if (!path) return change(memoryCounters()[name]);
  CounterMap counters;
  readCounters(path, &counters);
  const unsigned long value = change(counters[name]);
  writeCounters(path, counters);
  return value;
}

}  // namespace

unsigned long bumpCounter(const char* name) {
  return changeCounter(name, [](unsigned long& counter) { return ++counter; });
}

void setCounter(const char* name, unsigned long value) {
  changeCounter(name, [value](unsigned long& counter) { return counter = value; });
}
