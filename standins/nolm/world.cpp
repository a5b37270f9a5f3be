#include "world.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "call_log.h"
#include "messages.h"

namespace {

struct Source {
  bool named = false;  // a path was given
  std::string path;
  bool exists = false;
  std::string text;

  bool operator==(const Source& other) const {
    return named == other.named && path == other.path && exists == other.exists &&
           text == other.text;
  }
  bool operator!=(const Source& other) const { return !(*this == other); }
};

World theWorld;
Source environmentSeen;  // what NOLM_STANDIN_CONFIG gave at the last call
Source applied;          // what the world was built from
bool started = false;

bool readWholeFile(const std::string& path, std::string* text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::string content;
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.append(chunk, got);
  std::fclose(file);
  *text = content;
  return true;
}

Source sourceAt(const std::string& path) {
  Source source;
  source.named = true;
  source.path = path;
  source.exists = readWholeFile(path, &source.text);
  return source;
}

Source environmentSource() {
  std::vector<char> value(32768);
  DWORD length = GetEnvironmentVariableA("NOLM_STANDIN_CONFIG", value.data(),
                                         static_cast<DWORD>(value.size()));
  if (length == 0 || length >= value.size()) return Source();
  return sourceAt(std::string(value.data(), length));
}

void build(const Source& source) {
  theWorld = World();
  applied = source;
  if (!source.exists) return;
  std::vector<std::string> problems;
  theWorld.config = parseConfig(source.text, &problems);
  for (const std::string& problem : problems)
    appendLogNote("configuration " + quoted(source.path) + ", " + problem);
}

}  // namespace

World& currentWorld() {
  Source now = environmentSource();
  if (!started || now != environmentSeen) {
    started = true;
    environmentSeen = now;
    build(now);
  }
  return theWorld;
}

void openConfiguration(const char* path) {
  if (!path) return;
  Source source = sourceAt(path);
  if (source.exists && source != applied) build(source);
}

bool overridden(const World& world, const char* function, int* result) {
  const auto& results = world.config.results;
  auto found = results.find(function);
  if (found == results.end()) return false;
  *result = found->second;
  return true;
}

std::string messageFor(const World& world, int code) {
  const auto& messages = world.config.messages;
  auto found = messages.find(code);
  return found != messages.end() ? found->second : builtinMessage(code);
}
