// nolmmsg.dll: forwards to nolm32.dll.
#include <cstdio>

#include "forward_to_nolm32.h"

extern "C" {

NOLM_EXPORT NolmGetMsgAux(int code, char* text, int size) {
  if (nolm32Function("StandinNolmGetMsgAux"))
    return forwardToNolm32("StandinNolmGetMsgAux", code, text, size);
  if (text && size > 0) std::snprintf(text, static_cast<size_t>(size), "nolm32.dll is not loaded");
  return kNolm32NotLoaded;
}

NOLM_EXPORT NolmCheckGetMsg() { return forwardToNolm32("StandinNolmCheckGetMsg"); }
NOLM_EXPORT NolmCrtFFAux() { return forwardToNolm32("StandinNolmCrtFFAux"); }
NOLM_EXPORT NolmCrtFNAux() { return forwardToNolm32("StandinNolmCrtFNAux"); }
NOLM_EXPORT NolmCrtInfo() { return forwardToNolm32("StandinNolmCrtInfo"); }
}
