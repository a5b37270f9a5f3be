// nolmcc.dll: forwards to nolm32.dll.
#include "forward_to_nolm32.h"

extern "C" {

NOLM_EXPORT NolmLoadSecKeyCC(char* keyName, char* password, char* zeroField, int zero,
                             char* reader) {
  return forwardToNolm32("StandinNolmLoadSecKeyCC", keyName, password, zeroField, zero, reader);
}

NOLM_EXPORT NolmFindFirstRdr(char* readerName, int mode) {
  return forwardToNolm32("StandinNolmFindFirstRdr", readerName, mode);
}

NOLM_EXPORT NolmFindNextRdr(char* readerName) {
  return forwardToNolm32("StandinNolmFindNextRdr", readerName);
}

NOLM_EXPORT NolmChangePswCC(char* keyName, char* oldPassword, char* newPassword, int zero,
                            char* reader) {
  return forwardToNolm32("StandinNolmChangePswCC", keyName, oldPassword, newPassword, zero,
                         reader);
}

NOLM_EXPORT NolmSecKeyInfoCC() { return forwardToNolm32("StandinNolmSecKeyInfoCC"); }

NOLM_EXPORT KeyGenXCC(char* keyName, char* request, char* password, char* random, int zero,
                      char* reader) {
  return forwardToNolm32("StandinKeyGenXCC", keyName, request, password, random, zero, reader);
}

NOLM_EXPORT NCCchangePIN(char* reader, char* oldPin, char* newPin) {
  return forwardToNolm32("StandinNCCchangePIN", reader, oldPin, newPin);
}

NOLM_EXPORT NCCgetFileList(char* reader, void* keyTable) {
  return forwardToNolm32("StandinNCCgetFileList", reader, keyTable);
}

NOLM_EXPORT NCCgetRnd() { return forwardToNolm32("StandinNCCgetRnd"); }
}
