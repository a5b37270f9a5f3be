// nolm32.dll: what nolmmsg.dll answers — texts for result codes. Exported as
// Standin<name>; nolmmsg.dll forwards its calls here.
#include <cstdio>

#include "call_log.h"
#include "messages.h"
#include "standin_nolm.h"
#include "world.h"

namespace {

int unused(const char* function) {
  World& world = currentWorld();
  CallLog call(function);
  return call.result(unlessOverridden(world, function, [] { return 0; }));
}

}  // namespace

extern "C" {

NOLM_EXPORT StandinNolmGetMsgAux(int code, char* text, int size) {
  World& world = currentWorld();
  CallLog call("NolmGetMsgAux");
  call.integer(code).buffer(text).integer(size);
  return call.result(unlessOverridden(world, "NolmGetMsgAux", [&]() -> int {
    if (!text || size <= 0) return kBadArgument;
    std::snprintf(text, static_cast<size_t>(size), "%s", messageFor(world, code).c_str());
    call.output("text", quoted(text));
    return 0;
  }));
}

NOLM_EXPORT StandinNolmCheckGetMsg() { return unused("NolmCheckGetMsg"); }
NOLM_EXPORT StandinNolmCrtFFAux() { return unused("NolmCrtFFAux"); }
NOLM_EXPORT StandinNolmCrtFNAux() { return unused("NolmCrtFNAux"); }
NOLM_EXPORT StandinNolmCrtInfo() { return unused("NolmCrtInfo"); }
}
