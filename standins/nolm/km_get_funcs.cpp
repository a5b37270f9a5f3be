// nolm32.dll: KMGetFuncs, left out of the no-kmgetfuncs set.
#include <cstring>

#include "call_log.h"
#include "card_table.h"
#include "standin_nolm.h"
#include "world.h"

extern "C" __declspec(dllexport) void** NOLM_CALL KMGetFuncs(const char* medium) {
  World& world = currentWorld();
  CallLog call("KMGetFuncs");
  call.text(medium);
  bool known = medium && std::strcmp(medium, "PLC:") == 0;
  return call.result(known && !world.config.noCardTable ? plasticCardTable() : nullptr);
}
