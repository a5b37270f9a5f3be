// The call log: one line per PKCS#11 call, appended to the file that
// QELT_TOKEN_LOG names (nothing is written when it is unset or empty).
// Format: README.md. No PIN or attribute value is ever shown.
#pragma once

#include <string>

#include "pkcs11_declarations.h"

class TokenCallLog {
 public:
  explicit TokenCallLog(const char* function);

  TokenCallLog& number(CK_ULONG value);          // decimal
  TokenCallLog& hex(CK_ULONG value);             // 0x...
  TokenCallLog& boolean(CK_BBOOL value);         // true or false
  TokenCallLog& pointer(bool given);            // buffer or null
  TokenCallLog& count(const CK_ULONG* value);    // &<value on entry>, or null
  TokenCallLog& initArgs(const void* value);     // {flags=0x...} or null
  // [<type>:<length>, ...]: a template's types and lengths, null for a value
  // pointer that is null.
  TokenCallLog& attributes(const CK_ATTRIBUTE* values, CK_ULONG count);
  TokenCallLog& unknown();                       // ... (arguments not shown)

  TokenCallLog& output(const char* name, const std::string& value);  // " | name=value"
  TokenCallLog& outputNumber(const char* name, CK_ULONG value);
  TokenCallLog& outputHex(const char* name, CK_ULONG value);
  TokenCallLog& outputList(const char* name, const CK_ULONG* values, CK_ULONG count);
  // lengths=[...] of a template after the call.
  TokenCallLog& outputLengths(const CK_ATTRIBUTE* values, CK_ULONG count);

  // Writes the line with the result and returns it.
  CK_RV result(CK_RV value);

 private:
  TokenCallLog& argument(const std::string& shown);

  std::string function_;
  std::string arguments_;
  std::string outputs_;
  bool first_ = true;
};
