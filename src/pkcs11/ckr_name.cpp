#include "ckr_name.h"

#include "trace.h"

namespace {

struct Named {
  int32_t code;
  const char* name;
};

// The results a token module gives while listing certificates, and the
// common ones of everything else.
const Named kNames[] = {
    {0x00, "CKR_OK"},
    {0x01, "CKR_CANCEL"},
    {0x02, "CKR_HOST_MEMORY"},
    {0x03, "CKR_SLOT_ID_INVALID"},
    {0x05, "CKR_GENERAL_ERROR"},
    {0x06, "CKR_FUNCTION_FAILED"},
    {0x07, "CKR_ARGUMENTS_BAD"},
    {0x10, "CKR_ATTRIBUTE_READ_ONLY"},
    {0x11, "CKR_ATTRIBUTE_SENSITIVE"},
    {0x12, "CKR_ATTRIBUTE_TYPE_INVALID"},
    {0x13, "CKR_ATTRIBUTE_VALUE_INVALID"},
    {0x30, "CKR_DEVICE_ERROR"},
    {0x31, "CKR_DEVICE_MEMORY"},
    {0x32, "CKR_DEVICE_REMOVED"},
    {0x50, "CKR_FUNCTION_CANCELED"},
    {0x54, "CKR_FUNCTION_NOT_SUPPORTED"},
    {0x82, "CKR_OBJECT_HANDLE_INVALID"},
    {0x90, "CKR_OPERATION_ACTIVE"},
    {0x91, "CKR_OPERATION_NOT_INITIALIZED"},
    {0xA0, "CKR_PIN_INCORRECT"},
    {0xA4, "CKR_PIN_LOCKED"},
    {0xB0, "CKR_SESSION_CLOSED"},
    {0xB1, "CKR_SESSION_COUNT"},
    {0xB3, "CKR_SESSION_HANDLE_INVALID"},
    {0xB4, "CKR_SESSION_PARALLEL_NOT_SUPPORTED"},
    {0xD0, "CKR_TEMPLATE_INCOMPLETE"},
    {0xD1, "CKR_TEMPLATE_INCONSISTENT"},
    {0xE0, "CKR_TOKEN_NOT_PRESENT"},
    {0xE1, "CKR_TOKEN_NOT_RECOGNIZED"},
    {0x150, "CKR_BUFFER_TOO_SMALL"},
    {0x190, "CKR_CRYPTOKI_NOT_INITIALIZED"},
    {0x191, "CKR_CRYPTOKI_ALREADY_INITIALIZED"},
};

}  // namespace

const char* ckrName(int32_t code) {
  for (const Named& named : kNames)
    if (named.code == code) return named.name;
  return nullptr;
}

void traceTokenResult(const char* call, int32_t code, const char* details) {
  if (!traceSink) return;
  const char* name = ckrName(code);
  if (name)
    traceEvent(nullptr, "token: %s = %s%s", call, name, details);
  else
    traceEvent(nullptr, "token: %s = 0x%08lX%s", call, static_cast<unsigned long>(code), details);
}
