// The plain wrappers for logging in, PINs and the cryptographic functions:
// one PKCS#11 function each.
#include "pkcs11_session.h"

#include <cstring>

#include "pkcs11_exception.h"

namespace {

CK_UTF8CHAR* text(const char* s) { return reinterpret_cast<CK_UTF8CHAR*>(const_cast<char*>(s)); }
CK_ULONG textLength(const char* s) { return static_cast<CK_ULONG>(std::strlen(s)); }
CK_BYTE* bytes(const CK_BYTE* b) { return const_cast<CK_BYTE*>(b); }

// Hands the module a copy of the caller's capacity and writes the length it
// returns back only on success.
template <typename Call>
CK_ULONG callWithOutputLength(CK_ULONG* outputLength, Call call) {
  CK_ULONG length = *outputLength;
  checkRv(call(&length));
  *outputLength = length;
  return length;
}

CK_MECHANISM mechanismWithIv(CK_MECHANISM_TYPE type, const CK_BYTE* iv) {
  CK_MECHANISM mechanism = {type, nullptr, 0};
  if (iv) {
    mechanism.pParameter = const_cast<CK_BYTE*>(iv);
    mechanism.ulParameterLen = 8;
  }
  return mechanism;
}

}  // namespace

void Pkcs11Session::Login(const char* pin) { checkRv(functions_->C_Login(handle_, CKU_USER, text(pin), textLength(pin))); }

void Pkcs11Session::Logout() { checkRv(functions_->C_Logout(handle_)); }

void Pkcs11Session::SetPin(const char* oldPin, const char* newPin) {
  checkRv(functions_->C_SetPIN(handle_, text(oldPin), textLength(oldPin), text(newPin), textLength(newPin)));
}

void Pkcs11Session::GenerateRandom(CK_BYTE* buffer, CK_ULONG length) {
  checkRv(functions_->C_GenerateRandom(handle_, buffer, length));
}

void Pkcs11Session::GenerateKeyPair(CK_MECHANISM_TYPE mechanism, CK_ATTRIBUTE* publicTemplate, CK_ULONG publicCount,
                                    CK_ATTRIBUTE* privateTemplate, CK_ULONG privateCount,
                                    CK_OBJECT_HANDLE* publicKey, CK_OBJECT_HANDLE* privateKey) {
  CK_MECHANISM m = {mechanism, nullptr, 0};
  checkRv(functions_->C_GenerateKeyPair(handle_, &m, publicTemplate, publicCount, privateTemplate, privateCount,
                                        publicKey, privateKey));
}

CK_ULONG Pkcs11Session::WrapKey(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE wrappingKey, CK_OBJECT_HANDLE key,
                                CK_BYTE* output, CK_ULONG* outputLength) {
  CK_MECHANISM m = {mechanism, nullptr, 0};
  return callWithOutputLength(outputLength, [&](CK_ULONG* length) {
    return functions_->C_WrapKey(handle_, &m, wrappingKey, key, output, length);
  });
}

void Pkcs11Session::DigestInit(CK_MECHANISM_TYPE mechanism, void* parameter, CK_ULONG parameterLength) {
  CK_MECHANISM m = {mechanism, parameter, parameterLength};
  checkRv(functions_->C_DigestInit(handle_, &m));
}

void Pkcs11Session::SignInit(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE key) {
  CK_MECHANISM m = {mechanism, nullptr, 0};
  checkRv(functions_->C_SignInit(handle_, &m, key));
}

void Pkcs11Session::VerifyInit(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE key) {
  CK_MECHANISM m = {mechanism, nullptr, 0};
  checkRv(functions_->C_VerifyInit(handle_, &m, key));
}

void Pkcs11Session::EncryptInit(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE key, const CK_BYTE* iv) {
  CK_MECHANISM m = mechanismWithIv(mechanism, iv);
  checkRv(functions_->C_EncryptInit(handle_, &m, key));
}

void Pkcs11Session::DecryptInit(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE key, const CK_BYTE* iv) {
  CK_MECHANISM m = mechanismWithIv(mechanism, iv);
  checkRv(functions_->C_DecryptInit(handle_, &m, key));
}

// Input, input length, output buffer, output length in/out.
#define QELT_PKCS11_TRANSFORM(Method, Function)                                                         \
  CK_ULONG Pkcs11Session::Method(const CK_BYTE* input, CK_ULONG inputLength, CK_BYTE* output,            \
                                 CK_ULONG* outputLength) {                                               \
    return callWithOutputLength(outputLength, [&](CK_ULONG* length) {                                    \
      return functions_->Function(handle_, bytes(input), inputLength, output, length);                   \
    });                                                                                                  \
  }
QELT_PKCS11_TRANSFORM(Digest, C_Digest)
QELT_PKCS11_TRANSFORM(Sign, C_Sign)
QELT_PKCS11_TRANSFORM(Encrypt, C_Encrypt)
QELT_PKCS11_TRANSFORM(Decrypt, C_Decrypt)
QELT_PKCS11_TRANSFORM(EncryptUpdate, C_EncryptUpdate)
QELT_PKCS11_TRANSFORM(DecryptUpdate, C_DecryptUpdate)
QELT_PKCS11_TRANSFORM(DigestEncryptUpdate, C_DigestEncryptUpdate)
QELT_PKCS11_TRANSFORM(DecryptDigestUpdate, C_DecryptDigestUpdate)
QELT_PKCS11_TRANSFORM(SignEncryptUpdate, C_SignEncryptUpdate)
QELT_PKCS11_TRANSFORM(DecryptVerifyUpdate, C_DecryptVerifyUpdate)
#undef QELT_PKCS11_TRANSFORM

// Output buffer, output length in/out.
#define QELT_PKCS11_FINAL(Method, Function)                                                              \
  CK_ULONG Pkcs11Session::Method(CK_BYTE* output, CK_ULONG* outputLength) {                             \
    return callWithOutputLength(outputLength,                                                            \
                                [&](CK_ULONG* length) { return functions_->Function(handle_, output, length); }); \
  }
QELT_PKCS11_FINAL(DigestFinal, C_DigestFinal)
QELT_PKCS11_FINAL(SignFinal, C_SignFinal)
QELT_PKCS11_FINAL(EncryptFinal, C_EncryptFinal)
QELT_PKCS11_FINAL(DecryptFinal, C_DecryptFinal)
#undef QELT_PKCS11_FINAL

// Data (or signature) and its length.
#define QELT_PKCS11_FEED(Method, Function)                                                               \
  void Pkcs11Session::Method(const CK_BYTE* data, CK_ULONG length) {                                     \
    checkRv(functions_->Function(handle_, bytes(data), length));                                         \
  }
QELT_PKCS11_FEED(DigestUpdate, C_DigestUpdate)
QELT_PKCS11_FEED(SignUpdate, C_SignUpdate)
QELT_PKCS11_FEED(VerifyUpdate, C_VerifyUpdate)
QELT_PKCS11_FEED(VerifyFinal, C_VerifyFinal)
#undef QELT_PKCS11_FEED

void Pkcs11Session::Verify(const CK_BYTE* data, CK_ULONG dataLength, const CK_BYTE* signature,
                           CK_ULONG signatureLength) {
  checkRv(functions_->C_Verify(handle_, bytes(data), dataLength, bytes(signature), signatureLength));
}
