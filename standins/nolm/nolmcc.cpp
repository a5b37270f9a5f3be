// Stand-in for nolmcc.dll.
#include "standin_nolm.h"

extern "C" {

NOLM_EXPORT NolmLoadSecKeyCC(char*, char*, char*, int, char*) { return 0; }
NOLM_EXPORT NolmFindFirstRdr(char*, int) { return 1; }
NOLM_EXPORT NolmFindNextRdr(char*) { return 1; }
NOLM_EXPORT NolmChangePswCC(char*, char*, char*, int, char*) { return 0; }
NOLM_EXPORT NolmSecKeyInfoCC() { return 0; }
NOLM_EXPORT KeyGenXCC(char*, char*, char*, char*, int, char*) { return 0; }
NOLM_EXPORT NCCchangePIN(char*, char*, char*) { return 0; }
NOLM_EXPORT NCCgetFileList(char*, void*) { return 1; }
NOLM_EXPORT NCCgetRnd() { return 0; }
}
