// Stand-in for nolmmsg.dll.
#include <cstdio>

#include "standin_nolm.h"

extern "C" {

NOLM_EXPORT NolmGetMsgAux(int code, char* text, int size) {
  if (text && size > 0) std::snprintf(text, static_cast<size_t>(size), "Nolm error %d", code);
  return 0;
}
NOLM_EXPORT NolmCheckGetMsg() { return 0; }
NOLM_EXPORT NolmCrtFFAux() { return 0; }
NOLM_EXPORT NolmCrtFNAux() { return 0; }
NOLM_EXPORT NolmCrtInfo() { return 0; }
}
