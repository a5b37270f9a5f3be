#include "attribute_value.h"

#include <cstdint>

#include "pkcs11_exception.h"
#include "pkcs11_session.h"

namespace {
// ByteBuffer keeps its length in 32 signed bits, next to an 8-byte header
// and a terminator in one allocation.
constexpr CK_ULONG kMaxValueLength = INT32_MAX - 16;
}

ByteBuffer readAttributeValue(Pkcs11Session& session, CK_OBJECT_HANDLE object, CK_ATTRIBUTE_TYPE type) {
  CK_ATTRIBUTE attribute = {type, nullptr, 0};
  session.GetAttributeValue(object, &attribute, 1);
  if (attribute.ulValueLen > kMaxValueLength) throw Pkcs11Exception(pkcs11Code(CKR_GENERAL_ERROR));

  const CK_ULONG capacity = attribute.ulValueLen;
  ByteBuffer value(nullptr, static_cast<int32_t>(capacity));
  attribute.pValue = value.data();
  session.GetAttributeValue(object, &attribute, 1);
  if (attribute.ulValueLen > capacity) throw Pkcs11Exception(pkcs11Code(CKR_GENERAL_ERROR));
  // A shorter second answer: keep only the bytes the module wrote.
  if (attribute.ulValueLen < capacity) return ByteBuffer(value.data(), static_cast<int32_t>(attribute.ulValueLen));
  return value;
}
