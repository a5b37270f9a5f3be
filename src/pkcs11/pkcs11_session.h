// One open session of a Pkcs11Module. Every method passes the session handle
// and its arguments to one PKCS#11 function (or a few, for the composite
// operations) and throws Pkcs11Exception with the CK_RV of a failing call.
//
// Output lengths: the caller passes the buffer's capacity in *outputLength;
// the module gets a copy, and the length it returns is written back (and
// returned) only on success. PINs and labels are NUL-terminated texts.
#pragma once

#include "byte_buffer.h"
#include "pkcs11_declarations.h"

class Pkcs11Module;

class Pkcs11Session {
 public:
  // Takes over an open session of module (which must outlive it).
  Pkcs11Session(Pkcs11Module* module, CK_SESSION_HANDLE handle);
  // Closes the session; the module's answer is ignored.
  virtual ~Pkcs11Session();
  Pkcs11Session(const Pkcs11Session&) = delete;
  Pkcs11Session& operator=(const Pkcs11Session&) = delete;

  CK_SESSION_HANDLE handle() const { return handle_; }

  void Login(const char* pin);
  void Logout();
  void SetPin(const char* oldPin, const char* newPin);

  void FindObjectsInit(CK_ATTRIBUTE* attributes, CK_ULONG count);
  // Returns the number of handles written (at most capacity).
  CK_ULONG FindObjects(CK_OBJECT_HANDLE* handles, CK_ULONG capacity);
  // Calls C_FindObjects until it finds no more or capacity handles are
  // written (a module may answer in batches smaller than asked); returns the
  // number written.
  CK_ULONG FindObjectsUpTo(CK_OBJECT_HANDLE* handles, CK_ULONG capacity);
  void FindObjectsFinal();

  void GetAttributeValue(CK_OBJECT_HANDLE object, CK_ATTRIBUTE* attributes, CK_ULONG count);
  void SetAttributeValue(CK_OBJECT_HANDLE object, CK_ATTRIBUTE* attributes, CK_ULONG count);
  CK_OBJECT_HANDLE CreateObject(CK_ATTRIBUTE* attributes, CK_ULONG count);
  // Never throws: returns the module's answer.
  CK_RV DestroyObject(CK_OBJECT_HANDLE object);

  void GenerateRandom(CK_BYTE* buffer, CK_ULONG length);
  void GenerateKeyPair(CK_MECHANISM_TYPE mechanism, CK_ATTRIBUTE* publicTemplate, CK_ULONG publicCount,
                       CK_ATTRIBUTE* privateTemplate, CK_ULONG privateCount, CK_OBJECT_HANDLE* publicKey,
                       CK_OBJECT_HANDLE* privateKey);
  CK_ULONG WrapKey(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE wrappingKey, CK_OBJECT_HANDLE key,
                   CK_BYTE* output, CK_ULONG* outputLength);

  void DigestInit(CK_MECHANISM_TYPE mechanism, void* parameter, CK_ULONG parameterLength);
  void SignInit(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE key);
  void VerifyInit(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE key);
  // iv: 8 bytes, or null for a mechanism without parameter.
  void EncryptInit(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE key, const CK_BYTE* iv);
  void DecryptInit(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE key, const CK_BYTE* iv);

  CK_ULONG Digest(const CK_BYTE* input, CK_ULONG inputLength, CK_BYTE* output, CK_ULONG* outputLength);
  CK_ULONG Sign(const CK_BYTE* input, CK_ULONG inputLength, CK_BYTE* output, CK_ULONG* outputLength);
  CK_ULONG Encrypt(const CK_BYTE* input, CK_ULONG inputLength, CK_BYTE* output, CK_ULONG* outputLength);
  CK_ULONG Decrypt(const CK_BYTE* input, CK_ULONG inputLength, CK_BYTE* output, CK_ULONG* outputLength);
  CK_ULONG EncryptUpdate(const CK_BYTE* input, CK_ULONG inputLength, CK_BYTE* output, CK_ULONG* outputLength);
  CK_ULONG DecryptUpdate(const CK_BYTE* input, CK_ULONG inputLength, CK_BYTE* output, CK_ULONG* outputLength);
  CK_ULONG DigestEncryptUpdate(const CK_BYTE* input, CK_ULONG inputLength, CK_BYTE* output,
                               CK_ULONG* outputLength);
  CK_ULONG DecryptDigestUpdate(const CK_BYTE* input, CK_ULONG inputLength, CK_BYTE* output,
                               CK_ULONG* outputLength);
  CK_ULONG SignEncryptUpdate(const CK_BYTE* input, CK_ULONG inputLength, CK_BYTE* output,
                             CK_ULONG* outputLength);
  CK_ULONG DecryptVerifyUpdate(const CK_BYTE* input, CK_ULONG inputLength, CK_BYTE* output,
                               CK_ULONG* outputLength);
  CK_ULONG DigestFinal(CK_BYTE* output, CK_ULONG* outputLength);
  CK_ULONG SignFinal(CK_BYTE* output, CK_ULONG* outputLength);
  CK_ULONG EncryptFinal(CK_BYTE* output, CK_ULONG* outputLength);
  CK_ULONG DecryptFinal(CK_BYTE* output, CK_ULONG* outputLength);
  void DigestUpdate(const CK_BYTE* data, CK_ULONG length);
  void SignUpdate(const CK_BYTE* data, CK_ULONG length);
  void VerifyUpdate(const CK_BYTE* data, CK_ULONG length);
  void VerifyFinal(const CK_BYTE* signature, CK_ULONG length);
  void Verify(const CK_BYTE* data, CK_ULONG dataLength, const CK_BYTE* signature, CK_ULONG signatureLength);

  // Composite operations. The finders throw PKCS11_ERR_NOT_FOUND unless
  // exactly one object matches.
  // The one object of objectClass with the same CKA_ID as object.
  CK_OBJECT_HANDLE FindRelatedObject(CK_OBJECT_HANDLE object, CK_OBJECT_CLASS objectClass);
  // The one token public key with that label (if not null) and the extra
  // attribute (if extraValue is not null).
  CK_OBJECT_HANDLE FindPublicKey(const char* label, CK_ATTRIBUTE_TYPE extraType, const void* extraValue,
                                 CK_ULONG extraLength);
  CK_OBJECT_HANDLE FindPrivateKey(const char* label, CK_ATTRIBUTE_TYPE extraType, const void* extraValue,
                                  CK_ULONG extraLength);
  // CKA_VALUE of the one data object with that label and application (each
  // criterion only when not null).
  ByteBuffer ReadDataObject(const char* label, const char* application);
  ByteBuffer ReadCertificateBySubject(const CK_BYTE* subject, CK_ULONG length);
  // Replaces the certificate linked to key by CKA_ID with a new one holding
  // value; the new object takes the key's label, CKA_ID and token flag.
  void StoreCertificate(CK_OBJECT_HANDLE key, const CK_BYTE* value, CK_ULONG length);
  // A session key pair able to derive; ecParameters is one DER element or null.
  void GenerateDeriveKeyPair(CK_MECHANISM_TYPE mechanism, const CK_BYTE* ecParameters,
                             CK_OBJECT_HANDLE* publicKey, CK_OBJECT_HANDLE* privateKey);
  // An extractable session secret key; with value (32 bytes) not null the key
  // is made non-sensitive and its CKA_VALUE is read into value.
  CK_OBJECT_HANDLE GenerateSecretKey(CK_MECHANISM_TYPE mechanism, CK_KEY_TYPE keyType, CK_BYTE* value);
  // extractable: the unwrapped key is made non-sensitive and extractable.
  CK_OBJECT_HANDLE UnwrapSecretKey(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE unwrappingKey,
                                   const CK_BYTE* wrapped, CK_ULONG wrappedLength, CK_KEY_TYPE keyType,
                                   bool extractable);
  // A session secret key able to wrap and unwrap.
  CK_OBJECT_HANDLE DeriveSecretKey(CK_MECHANISM* mechanism, CK_OBJECT_HANDLE baseKey, CK_KEY_TYPE keyType);
  // A new session on this session's slot; the caller deletes it.
  Pkcs11Session* OpenSiblingSession();

 private:
  CK_OBJECT_HANDLE findExactlyOne(CK_ATTRIBUTE* attributes, CK_ULONG count);

  Pkcs11Module* module_;
  CK_SESSION_HANDLE handle_;
  CK_FUNCTION_LIST* functions_;
};
