// The CKR_ name of a PKCS#11 result, for the support log.
#pragma once

#include <cstdint>

// "DEVICE_ERROR" for CKR_DEVICE_ERROR; null for a value without a name here.
const char* ckrName(int32_t code);

// Tells the support log how a token module call ended: "C_Initialize =
// CKR_DEVICE_ERROR" (then details, if any).
void traceTokenResult(const char* call, int32_t code, const char* details = "");
