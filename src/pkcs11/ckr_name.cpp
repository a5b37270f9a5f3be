#include "ckr_name.h"

#include <cstring>

#include "trace.h"

namespace {

// The results a token module gives while listing certificates, each as a
// code byte and its name without "CKR_", one after another.
const char kNames[] =
    "\x01" "CANCEL\0" "\x02" "HOST_MEMORY\0" "\x03" "SLOT_ID_INVALID\0" "\x05" "GENERAL_ERROR\0"
    "\x06" "FUNCTION_FAILED\0" "\x07" "ARGUMENTS_BAD\0" "\x11" "ATTRIBUTE_SENSITIVE\0"
    "\x12" "ATTRIBUTE_TYPE_INVALID\0" "\x30" "DEVICE_ERROR\0" "\x31" "DEVICE_MEMORY\0"
    "\x32" "DEVICE_REMOVED\0" "\x54" "FUNCTION_NOT_SUPPORTED\0" "\x82" "OBJECT_HANDLE_INVALID\0"
    "\x90" "OPERATION_ACTIVE\0" "\x91" "OPERATION_NOT_INITIALIZED\0" "\xB1" "SESSION_COUNT\0"
    "\xB3" "SESSION_HANDLE_INVALID\0" "\xB4" "SESSION_PARALLEL_NOT_SUPPORTED\0"
    "\xD1" "TEMPLATE_INCONSISTENT\0" "\xE0" "TOKEN_NOT_PRESENT\0" "\xE1" "TOKEN_NOT_RECOGNIZED\0";

}  // namespace

const char* ckrName(int32_t code) {
  if (code == 0) return "OK";
  if (code < 0 || code > 0xFF) return nullptr;
  for (const char* at = kNames; *at; at += std::strlen(at) + 1)
    if (static_cast<unsigned char>(*at) == code) return at + 1;
  return nullptr;
}

void traceTokenResult(const char* call, int32_t code, const char* details) {
  if (!traceSink) return;
  const char* name = ckrName(code);
  if (name)
    traceEvent(nullptr, "token: %s = CKR_%s%s", call, name, details);
  else
    traceEvent(nullptr, "token: %s = 0x%08lX%s", call, static_cast<unsigned long>(code), details);
}
