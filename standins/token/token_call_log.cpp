#include "token_call_log.h"

#include <cstdio>
#include <cstdlib>

namespace {

struct Name {
  CK_ULONG value;
  const char* name;
};

#define QELT_NAME(constant) {constant, #constant}

const Name kResults[] = {
    QELT_NAME(CKR_OK), QELT_NAME(CKR_CANCEL), QELT_NAME(CKR_HOST_MEMORY), QELT_NAME(CKR_SLOT_ID_INVALID),
    QELT_NAME(CKR_GENERAL_ERROR), QELT_NAME(CKR_FUNCTION_FAILED), QELT_NAME(CKR_ARGUMENTS_BAD),
    QELT_NAME(CKR_NO_EVENT), QELT_NAME(CKR_CANT_LOCK), QELT_NAME(CKR_ATTRIBUTE_SENSITIVE),
    QELT_NAME(CKR_ATTRIBUTE_TYPE_INVALID), QELT_NAME(CKR_ATTRIBUTE_VALUE_INVALID), QELT_NAME(CKR_DEVICE_ERROR),
    QELT_NAME(CKR_DEVICE_MEMORY), QELT_NAME(CKR_DEVICE_REMOVED), QELT_NAME(CKR_FUNCTION_CANCELED),
    QELT_NAME(CKR_FUNCTION_NOT_SUPPORTED), QELT_NAME(CKR_OBJECT_HANDLE_INVALID),
    QELT_NAME(CKR_OPERATION_ACTIVE), QELT_NAME(CKR_OPERATION_NOT_INITIALIZED), QELT_NAME(CKR_PIN_INCORRECT),
    QELT_NAME(CKR_SESSION_CLOSED), QELT_NAME(CKR_SESSION_COUNT), QELT_NAME(CKR_SESSION_HANDLE_INVALID),
    QELT_NAME(CKR_SESSION_PARALLEL_NOT_SUPPORTED), QELT_NAME(CKR_TOKEN_NOT_PRESENT),
    QELT_NAME(CKR_TOKEN_NOT_RECOGNIZED), QELT_NAME(CKR_USER_NOT_LOGGED_IN), QELT_NAME(CKR_BUFFER_TOO_SMALL),
    QELT_NAME(CKR_CRYPTOKI_NOT_INITIALIZED), QELT_NAME(CKR_CRYPTOKI_ALREADY_INITIALIZED),
};

const Name kAttributes[] = {
    QELT_NAME(CKA_CLASS), QELT_NAME(CKA_TOKEN), QELT_NAME(CKA_PRIVATE), QELT_NAME(CKA_LABEL),
    QELT_NAME(CKA_APPLICATION), QELT_NAME(CKA_VALUE), QELT_NAME(CKA_OBJECT_ID), QELT_NAME(CKA_CERTIFICATE_TYPE),
    QELT_NAME(CKA_ISSUER), QELT_NAME(CKA_SERIAL_NUMBER), QELT_NAME(CKA_KEY_TYPE), QELT_NAME(CKA_SUBJECT),
    QELT_NAME(CKA_ID), QELT_NAME(CKA_MODULUS), QELT_NAME(CKA_PUBLIC_EXPONENT), QELT_NAME(CKA_EC_PARAMS),
    QELT_NAME(CKA_EC_POINT),
};

#undef QELT_NAME

std::string hexText(CK_ULONG value) {
  char shown[24];
  std::snprintf(shown, sizeof shown, "0x%lx", static_cast<unsigned long>(value));
  return shown;
}

std::string decimalText(CK_ULONG value) {
  if (value == CK_UNAVAILABLE_INFORMATION) return "unavailable";
  char shown[24];
  std::snprintf(shown, sizeof shown, "%lu", static_cast<unsigned long>(value));
  return shown;
}

template <size_t N>
std::string nameOf(const Name (&names)[N], CK_ULONG value) {
  for (const Name& name : names) {
    if (name.value == value) return name.name;
  }
  return hexText(value);
}

void appendLine(const std::string& line) {
  const char* path = std::getenv("QELT_TOKEN_LOG");
  if (!path || !*path) return;
  // Opened and closed for every line, so a test can read or remove the log
  // while the module stays loaded.
  std::FILE* file = std::fopen(path, "ab");
  if (!file) return;
  std::fprintf(file, "%s\n", line.c_str());
  std::fclose(file);
}

}  // namespace

TokenCallLog::TokenCallLog(const char* function) : function_(function) {}

TokenCallLog& TokenCallLog::argument(const std::string& shown) {
  if (!first_) arguments_ += ", ";
  first_ = false;
  arguments_ += shown;
  return *this;
}

TokenCallLog& TokenCallLog::number(CK_ULONG value) { return argument(decimalText(value)); }

TokenCallLog& TokenCallLog::hex(CK_ULONG value) { return argument(hexText(value)); }

TokenCallLog& TokenCallLog::boolean(CK_BBOOL value) { return argument(value ? "true" : "false"); }

TokenCallLog& TokenCallLog::pointer(bool given) { return argument(given ? "buffer" : "null"); }

TokenCallLog& TokenCallLog::count(const CK_ULONG* value) {
  return argument(value ? "&" + decimalText(*value) : "null");
}

TokenCallLog& TokenCallLog::initArgs(const void* value) {
  if (!value) return argument("null");
  const CK_C_INITIALIZE_ARGS* args = static_cast<const CK_C_INITIALIZE_ARGS*>(value);
  const bool mutexes = args->CreateMutex || args->DestroyMutex || args->LockMutex || args->UnlockMutex;
  return argument("{flags=" + hexText(args->flags) + (mutexes ? ", mutexes" : "") +
                  (args->pReserved ? ", reserved" : "") + "}");
}

TokenCallLog& TokenCallLog::attributes(const CK_ATTRIBUTE* values, CK_ULONG count) {
  if (!values) return argument("null");
  std::string shown = "[";
  for (CK_ULONG i = 0; i < count; ++i) {
    if (i) shown += ", ";
    shown += nameOf(kAttributes, values[i].type) + ":" +
             (values[i].pValue ? decimalText(values[i].ulValueLen) : std::string("null"));
  }
  return argument(shown + "]");
}

TokenCallLog& TokenCallLog::unknown() { return argument("..."); }

TokenCallLog& TokenCallLog::output(const char* name, const std::string& value) {
  outputs_ += std::string(" | ") + name + "=" + value;
  return *this;
}

TokenCallLog& TokenCallLog::outputNumber(const char* name, CK_ULONG value) {
  return output(name, decimalText(value));
}

TokenCallLog& TokenCallLog::outputHex(const char* name, CK_ULONG value) { return output(name, hexText(value)); }

TokenCallLog& TokenCallLog::outputList(const char* name, const CK_ULONG* values, CK_ULONG count) {
  std::string shown = "[";
  for (CK_ULONG i = 0; values && i < count; ++i) shown += (i ? ", " : "") + decimalText(values[i]);
  return output(name, shown + "]");
}

TokenCallLog& TokenCallLog::outputLengths(const CK_ATTRIBUTE* values, CK_ULONG count) {
  std::string shown = "[";
  for (CK_ULONG i = 0; values && i < count; ++i) shown += (i ? ", " : "") + decimalText(values[i].ulValueLen);
  return output("lengths", shown + "]");
}

CK_RV TokenCallLog::result(CK_RV value) {
  appendLine(function_ + "(" + arguments_ + ") -> " + nameOf(kResults, value) + outputs_);
  return value;
}
