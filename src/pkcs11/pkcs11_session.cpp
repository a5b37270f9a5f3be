// The plain wrappers: one PKCS#11 function each. Session, object search and
// attributes here, what the token road uses; logging in and the
// cryptographic functions in pkcs11_session_crypto.cpp. (The plug-in links
// object files whole, unwind tables and all: the ones it never calls stay out.)
#include "pkcs11_session.h"

#include "pkcs11_exception.h"
#include "pkcs11_module.h"

Pkcs11Session::Pkcs11Session(Pkcs11Module* module, CK_SESSION_HANDLE handle)
    : module_(module), handle_(handle), functions_(module->functionList()) {}

Pkcs11Session::~Pkcs11Session() { functions_->C_CloseSession(handle_); }

void Pkcs11Session::FindObjectsInit(CK_ATTRIBUTE* attributes, CK_ULONG count) {
  checkRv(functions_->C_FindObjectsInit(handle_, attributes, count));
}

CK_ULONG Pkcs11Session::FindObjects(CK_OBJECT_HANDLE* handles, CK_ULONG capacity) {
  CK_ULONG found = 0;
  checkRv(functions_->C_FindObjects(handle_, handles, capacity, &found));
  return found;
}

CK_ULONG Pkcs11Session::FindObjectsUpTo(CK_OBJECT_HANDLE* handles, CK_ULONG capacity) {
  CK_ULONG total = 0;
  while (total < capacity) {
    const CK_ULONG found = FindObjects(handles + total, capacity - total);
    if (found == 0) break;
    // A module that claims more than it was given room for has filled at most the room.
    total += found < capacity - total ? found : capacity - total;
  }
  return total;
}

void Pkcs11Session::FindObjectsFinal() { checkRv(functions_->C_FindObjectsFinal(handle_)); }

void Pkcs11Session::GetAttributeValue(CK_OBJECT_HANDLE object, CK_ATTRIBUTE* attributes, CK_ULONG count) {
  checkRv(functions_->C_GetAttributeValue(handle_, object, attributes, count));
}

void Pkcs11Session::SetAttributeValue(CK_OBJECT_HANDLE object, CK_ATTRIBUTE* attributes, CK_ULONG count) {
  checkRv(functions_->C_SetAttributeValue(handle_, object, attributes, count));
}

CK_OBJECT_HANDLE Pkcs11Session::CreateObject(CK_ATTRIBUTE* attributes, CK_ULONG count) {
  CK_OBJECT_HANDLE object = CK_INVALID_HANDLE;
  checkRv(functions_->C_CreateObject(handle_, attributes, count, &object));
  return object;
}

CK_RV Pkcs11Session::DestroyObject(CK_OBJECT_HANDLE object) { return functions_->C_DestroyObject(handle_, object); }
