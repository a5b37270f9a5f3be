// The exception every failing PKCS#11 call of the binding throws. Its code is
// the module's CK_RV kept bit for bit in 32 bits (vendor values of 0x80000000
// and above read as negative), or one of the binding's own codes below.
#pragma once

#include <cstdint>

#include "ds_exception.h"
#include "pkcs11_declarations.h"

class Pkcs11Exception : public DsException {
 public:
  explicit Pkcs11Exception(int32_t code) : DsException(code) {}
};

// The binding's own codes. 1, 2 and 3 share their values with CKR_CANCEL,
// CKR_HOST_MEMORY and CKR_SLOT_ID_INVALID; 130 is CKR_OBJECT_HANDLE_INVALID.
enum : int32_t {
  PKCS11_ERR_NOT_LOADED = 1,    // the module object has no library loaded
  PKCS11_ERR_LOAD_FAILED = 2,   // the module file cannot be loaded
  PKCS11_ERR_MODULE = 3,        // no usable function list, C_Initialize or C_GetSlotList failed, no slot matched
  PKCS11_ERR_NOT_FOUND = 0x82,  // a search did not find exactly one object
};

inline int32_t pkcs11Code(CK_RV rv) { return static_cast<int32_t>(static_cast<uint32_t>(rv)); }

// Throws Pkcs11Exception with rv unless it is CKR_OK.
inline void checkRv(CK_RV rv) {
  if (rv != CKR_OK) throw Pkcs11Exception(pkcs11Code(rv));
}
