// The Nolm crypto library as the plug-in calls it. Every library function,
// and every entry of the card function table, uses the stdcall convention.
#pragma once

#define NOLM_CALL __stdcall

// A password field: the first 32 characters of a text, space-padded to 32,
// then a zero byte.
constexpr int kPasswordFieldSize = 33;
constexpr int kKeyNameSize = 256;
constexpr int kTextBufferSize = 1024;
constexpr int kWorkBufferSize = 65536;
constexpr int kCertificateRecordSize = 80;

typedef int(NOLM_CALL* NolmUnusedFn)();

typedef int(NOLM_CALL* NolmSetBufFn)(void* buffer, int size);
typedef int(NOLM_CALL* NolmGetVerFn)();
typedef int(NOLM_CALL* NolmCheckDBFn)();
typedef int(NOLM_CALL* NolmOpenFn)(const char* configPath, const char* dataDirectory, int zero);
typedef int(NOLM_CALL* NolmCloseFn)(int zero);
typedef int(NOLM_CALL* NolmGetMsgAuxFn)(int code, char* text, int size);
typedef int(NOLM_CALL* NolmLoadSecKeyFn)(char* keyPath, char* password, char* zeroField, int zero);
typedef int(NOLM_CALL* NolmLoadSecKeyCCFn)(char* keyName, char* password, char* zeroField,
                                           int zero, char* reader);
typedef int(NOLM_CALL* NolmDaysLeftFn)(int zero);
typedef int(NOLM_CALL* KeyGenXCCFn)(char* keyName, char* request, char* password, char* random,
                                    int zero, char* reader);
typedef int(NOLM_CALL* NolmSetFmodeFn)(int a, int b);
typedef int(NOLM_CALL* KeyGenXFn)(char* keyName, const char* keyDirectory, char* password,
                                  char* random, int zero);
typedef int(NOLM_CALL* NolmChangePswCCFn)(char* keyName, char* oldPassword, char* newPassword,
                                          int zero, char* reader);
typedef int(NOLM_CALL* NolmChangePswFn)(char* keyLocation, char* oldPassword, char* newPassword,
                                        int zero);
typedef int(NOLM_CALL* NCCchangePINFn)(char* reader, char* oldPin, char* newPin);
typedef void**(NOLM_CALL* KMGetFuncsFn)(const char* medium);
typedef int(NOLM_CALL* NolmCrtFFFn)(void* record, int mode, const char* filter, int zero);
typedef int(NOLM_CALL* NolmCrtFNFn)(void* record, int zero);
typedef int(NOLM_CALL* NolmFindFirstRdrFn)(char* readerName, int mode);
typedef int(NOLM_CALL* NolmFindNextRdrFn)(char* readerName);
typedef int(NOLM_CALL* NCCgetFileListFn)(char* reader, void* keyTable);

// The card function table that KMGetFuncs("PLC:") returns; the slots we use.
enum CardSlot { kCardOpen = 2, kCardChangePin = 3, kCardListKeys = 4, kCardClose = 9 };
typedef int(NOLM_CALL* CardOpenFn)(const char* pin, int zero);
typedef int(NOLM_CALL* CardChangePinFn)(const char* oldPin, const char* newPin);
typedef int(NOLM_CALL* CardListKeysFn)(void* records, int* count);
typedef int(NOLM_CALL* CardCloseFn)();

struct NolmFunctions {
  // nolm32.dll
  NolmSetBufFn NolmSetBuf;
  NolmUnusedFn NolmGetBuf;
  NolmGetVerFn NolmGetVer;
  NolmCheckDBFn NolmCheckDB;
  NolmOpenFn NolmOpen;
  NolmCloseFn NolmClose;
  NolmLoadSecKeyFn NolmLoadSecKey;
  NolmUnusedFn NolmDelSecKey;
  NolmUnusedFn NolmSecKeyUpdate;
  NolmDaysLeftFn NolmDaysLeft;
  NolmDaysLeftFn NolmDaysLeftA;
  NolmUnusedFn NolmEnsign;
  NolmUnusedFn NolmCheck;
  NolmUnusedFn NolmRcpName;
  NolmUnusedFn NolmMail;
  NolmUnusedFn NolmSetPmode;
  NolmSetFmodeFn NolmSetFmode;
  NolmCrtFFFn NolmCrtFF;
  NolmCrtFNFn NolmCrtFN;
  KeyGenXFn KeyGenX;
  NolmChangePswFn NolmChangePsw;
  KMGetFuncsFn KMGetFuncs;
  // nolmmsg.dll
  NolmGetMsgAuxFn NolmGetMsgAux;
  NolmUnusedFn NolmCheckGetMsg;
  NolmUnusedFn NolmCrtFFAux;
  NolmUnusedFn NolmCrtFNAux;
  NolmUnusedFn NolmCrtInfo;
  // nolmcc.dll
  NolmLoadSecKeyCCFn NolmLoadSecKeyCC;
  NolmFindFirstRdrFn NolmFindFirstRdr;
  NolmFindNextRdrFn NolmFindNextRdr;
  NolmChangePswCCFn NolmChangePswCC;
  NolmUnusedFn NolmSecKeyInfoCC;
  KeyGenXCCFn KeyGenXCC;
  NCCchangePINFn NCCchangePIN;
  NCCgetFileListFn NCCgetFileList;
  NolmUnusedFn NCCgetRnd;
};
