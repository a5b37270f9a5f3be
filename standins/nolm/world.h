// The one simulated state of the whole library. It lives in nolm32.dll;
// nolmmsg.dll and nolmcc.dll reach it through nolm32's Standin* exports.
#pragma once

#include <cstddef>
#include <string>

#include "config.h"

struct World {
  Config config;  // changed in place by PIN, password and key generation calls
  std::size_t nextReader = 0;
  std::size_t nextCertificate = 0;
  bool plasticCardOpen = false;
};

// The current world, first rebuilt from the file that NOLM_STANDIN_CONFIG
// names if that variable, or the file's content, changed since the last call.
World& currentWorld();

// For NolmOpen: rebuilds the world from `path` when that file exists and
// differs (by path or content) from the configuration in force.
void openConfiguration(const char* path);

// True when the configuration overrides `function`'s result.
bool overridden(const World& world, const char* function, int* result);

std::string messageFor(const World& world, int code);

// The result of `work`, or the configured override without doing the work.
template <typename Work>
int unlessOverridden(const World& world, const char* function, Work work) {
  int result = 0;
  return overridden(world, function, &result) ? result : work();
}
