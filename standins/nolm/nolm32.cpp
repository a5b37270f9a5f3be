// nolm32.dll: opening and closing the library, its version, database and
// key expiry, and the functions the plug-in resolves but never calls.
#include "call_log.h"
#include "standin_nolm.h"
#include "world.h"

namespace {

// A function without arguments whose result is a configured number.
int configured(const char* function, int Config::*value) {
  World& world = currentWorld();
  CallLog call(function);
  return call.result(unlessOverridden(world, function, [&] { return world.config.*value; }));
}

int unused(const char* function) {
  World& world = currentWorld();
  CallLog call(function);
  return call.result(unlessOverridden(world, function, [] { return 0; }));
}

}  // namespace

// A real library's DLLs lean on its support DLLs; this one imports
// tavrikon.dll, found at load time beside it, so that tests see where a
// library's imports are searched for.
extern "C" __declspec(dllimport) int StandinSupport();

extern "C" {

NOLM_EXPORT NolmSetBuf(void* buffer, int size) {
  World& world = currentWorld();
  CallLog call("NolmSetBuf");
  call.buffer(buffer).integer(size);
  return call.result(unlessOverridden(world, "NolmSetBuf", [] { return 0; }));
}

NOLM_EXPORT NolmGetVer() { return configured("NolmGetVer", &Config::version); }
NOLM_EXPORT NolmCheckDB() {
  StandinSupport();
  return configured("NolmCheckDB", &Config::database);
}

NOLM_EXPORT NolmOpen(const char* configPath, const char* dataDirectory, int zero) {
  currentWorld();
  CallLog call("NolmOpen");
  call.text(configPath).text(dataDirectory).integer(zero);
  openConfiguration(configPath);
  World& world = currentWorld();
  return call.result(unlessOverridden(world, "NolmOpen", [&] { return world.config.open; }));
}

NOLM_EXPORT NolmClose(int zero) {
  World& world = currentWorld();
  CallLog call("NolmClose");
  call.integer(zero);
  return call.result(unlessOverridden(world, "NolmClose", [&] { return world.config.close; }));
}

NOLM_EXPORT NolmDaysLeft(int zero) {
  World& world = currentWorld();
  CallLog call("NolmDaysLeft");
  call.integer(zero);
  return call.result(
      unlessOverridden(world, "NolmDaysLeft", [&] { return world.config.daysSecret; }));
}

NOLM_EXPORT NolmDaysLeftA(int zero) {
  World& world = currentWorld();
  CallLog call("NolmDaysLeftA");
  call.integer(zero);
  return call.result(
      unlessOverridden(world, "NolmDaysLeftA", [&] { return world.config.daysAdmin; }));
}

NOLM_EXPORT NolmSetFmode(int first, int second) {
  World& world = currentWorld();
  CallLog call("NolmSetFmode");
  call.integer(first).integer(second);
  return call.result(unlessOverridden(world, "NolmSetFmode", [] { return 0; }));
}

NOLM_EXPORT NolmGetBuf() { return unused("NolmGetBuf"); }
NOLM_EXPORT NolmDelSecKey() { return unused("NolmDelSecKey"); }
NOLM_EXPORT NolmSecKeyUpdate() { return unused("NolmSecKeyUpdate"); }
NOLM_EXPORT NolmEnsign() { return unused("NolmEnsign"); }
NOLM_EXPORT NolmCheck() { return unused("NolmCheck"); }
NOLM_EXPORT NolmRcpName() { return unused("NolmRcpName"); }
NOLM_EXPORT NolmMail() { return unused("NolmMail"); }
NOLM_EXPORT NolmSetPmode() { return unused("NolmSetPmode"); }
}
