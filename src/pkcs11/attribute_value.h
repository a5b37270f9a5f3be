// Reading one attribute of unknown length: the first C_GetAttributeValue
// asks for the length, the second fills a buffer of that length.
#pragma once

#include "byte_buffer.h"
#include "pkcs11_declarations.h"

class Pkcs11Session;

// Throws Pkcs11Exception with the CK_RV of a failing call, or with
// CKR_GENERAL_ERROR when the module answers CKR_OK with a length that no
// buffer can hold (such as CK_UNAVAILABLE_INFORMATION) or that grew
// between the two calls.
ByteBuffer readAttributeValue(Pkcs11Session& session, CK_OBJECT_HANDLE object, CK_ATTRIBUTE_TYPE type);
