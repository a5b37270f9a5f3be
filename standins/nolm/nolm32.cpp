// Stand-in for nolm32.dll: answers the calls the plug-in makes.
#include "standin_nolm.h"

extern "C" {

NOLM_EXPORT NolmSetBuf(void*, int) { return 0; }
NOLM_EXPORT NolmGetBuf() { return 0; }
NOLM_EXPORT NolmGetVer() { return 0; }
NOLM_EXPORT NolmCheckDB() { return 0; }
NOLM_EXPORT NolmOpen(const char*, const char*, int) { return 0; }
NOLM_EXPORT NolmClose(int) { return 0; }
NOLM_EXPORT NolmLoadSecKey(char*, char*, char*, int) { return 0; }
NOLM_EXPORT NolmDelSecKey() { return 0; }
NOLM_EXPORT NolmSecKeyUpdate() { return 0; }
NOLM_EXPORT NolmDaysLeft(int) { return 365; }
NOLM_EXPORT NolmDaysLeftA(int) { return 365; }
NOLM_EXPORT NolmEnsign() { return 0; }
NOLM_EXPORT NolmCheck() { return 0; }
NOLM_EXPORT NolmRcpName() { return 0; }
NOLM_EXPORT NolmMail() { return 0; }
NOLM_EXPORT NolmSetPmode() { return 0; }
NOLM_EXPORT NolmSetFmode(int, int) { return 0; }
NOLM_EXPORT NolmCrtFF(void*, int, const char*, int) { return 1; }
NOLM_EXPORT NolmCrtFN(void*, int) { return 1; }
NOLM_EXPORT KeyGenX(char*, const char*, char*, char*, int) { return 0; }
NOLM_EXPORT NolmChangePsw(char*, char*, char*, int) { return 0; }

#ifndef STANDIN_WITHOUT_KMGETFUNCS
static int NOLM_CALL cardUnused() { return 0; }
static void* cardTable[16] = {
    reinterpret_cast<void*>(cardUnused), reinterpret_cast<void*>(cardUnused),
    reinterpret_cast<void*>(cardUnused), reinterpret_cast<void*>(cardUnused),
    reinterpret_cast<void*>(cardUnused), reinterpret_cast<void*>(cardUnused),
    reinterpret_cast<void*>(cardUnused), reinterpret_cast<void*>(cardUnused),
    reinterpret_cast<void*>(cardUnused), reinterpret_cast<void*>(cardUnused),
};
__declspec(dllexport) void** NOLM_CALL KMGetFuncs(const char*) { return cardTable; }
#endif
}
