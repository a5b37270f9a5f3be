// The composite operations of Pkcs11Session: fixed attribute templates and
// searches that must find exactly one object.
#include <cstring>

#include "attribute_value.h"
#include "der_scanner.h"
#include "pkcs11_exception.h"
#include "pkcs11_module.h"
#include "pkcs11_session.h"

namespace {

const CK_BBOOL kTrue = CK_TRUE;
const CK_BBOOL kFalse = CK_FALSE;

CK_ATTRIBUTE attribute(CK_ATTRIBUTE_TYPE type, const void* value, CK_ULONG length) {
  return CK_ATTRIBUTE{type, const_cast<void*>(value), length};
}

CK_ATTRIBUTE textAttribute(CK_ATTRIBUTE_TYPE type, const char* text) {
  return attribute(type, text, static_cast<CK_ULONG>(std::strlen(text)));
}

}  // namespace

CK_OBJECT_HANDLE Pkcs11Session::findExactlyOne(CK_ATTRIBUTE* attributes, CK_ULONG count) {
  FindObjectsInit(attributes, count);
  // Room for two, so that a second match shows.
  CK_OBJECT_HANDLE objects[2] = {CK_INVALID_HANDLE, CK_INVALID_HANDLE};
  CK_ULONG found = 0;
  // Only the number found counts; a failed search found nothing. The search
  // is ended in every case so that the session can search again.
  try {
    found = FindObjectsUpTo(objects, 2);
  } catch (const Pkcs11Exception&) {
    found = 0;
  }
  functions_->C_FindObjectsFinal(handle_);
  if (found != 1) throw Pkcs11Exception(PKCS11_ERR_NOT_FOUND);
  return objects[0];
}

CK_OBJECT_HANDLE Pkcs11Session::FindRelatedObject(CK_OBJECT_HANDLE object, CK_OBJECT_CLASS objectClass) {
  CK_BYTE id[64];
  CK_ATTRIBUTE idAttribute = attribute(CKA_ID, id, sizeof id);
  GetAttributeValue(object, &idAttribute, 1);
  if (idAttribute.ulValueLen > sizeof id) throw Pkcs11Exception(pkcs11Code(CKR_GENERAL_ERROR));

  CK_ATTRIBUTE search[] = {
      attribute(CKA_CLASS, &objectClass, sizeof objectClass),
      attribute(CKA_ID, id, idAttribute.ulValueLen),
  };
  return findExactlyOne(search, 2);
}

CK_OBJECT_HANDLE Pkcs11Session::FindPublicKey(const char* label, CK_ATTRIBUTE_TYPE extraType,
                                              const void* extraValue, CK_ULONG extraLength) {
  CK_OBJECT_CLASS publicKey = CKO_PUBLIC_KEY;
  CK_ATTRIBUTE search[4];
  CK_ULONG count = 0;
  search[count++] = attribute(CKA_CLASS, &publicKey, sizeof publicKey);
  search[count++] = attribute(CKA_TOKEN, &kTrue, sizeof kTrue);
  if (label) search[count++] = textAttribute(CKA_LABEL, label);
  if (extraValue) search[count++] = attribute(extraType, extraValue, extraLength);
  return findExactlyOne(search, count);
}

CK_OBJECT_HANDLE Pkcs11Session::FindPrivateKey(const char* label, CK_ATTRIBUTE_TYPE extraType,
                                               const void* extraValue, CK_ULONG extraLength) {
  return FindRelatedObject(FindPublicKey(label, extraType, extraValue, extraLength), CKO_PRIVATE_KEY);
}

ByteBuffer Pkcs11Session::ReadDataObject(const char* label, const char* application) {
  CK_OBJECT_CLASS data = CKO_DATA;
  CK_ATTRIBUTE search[3];
  CK_ULONG count = 0;
  search[count++] = attribute(CKA_CLASS, &data, sizeof data);
  if (label) search[count++] = textAttribute(CKA_LABEL, label);
  if (application) search[count++] = textAttribute(CKA_APPLICATION, application);
  return readAttributeValue(*this, findExactlyOne(search, count), CKA_VALUE);
}

ByteBuffer Pkcs11Session::ReadCertificateBySubject(const CK_BYTE* subject, CK_ULONG length) {
  CK_OBJECT_CLASS certificate = CKO_CERTIFICATE;
  CK_ATTRIBUTE search[] = {
      attribute(CKA_CLASS, &certificate, sizeof certificate),
      attribute(CKA_SUBJECT, subject, length),
  };
  return readAttributeValue(*this, findExactlyOne(search, 2), CKA_VALUE);
}

void Pkcs11Session::StoreCertificate(CK_OBJECT_HANDLE key, const CK_BYTE* value, CK_ULONG length) {
  try {
    DestroyObject(FindRelatedObject(key, CKO_CERTIFICATE));
  } catch (const Pkcs11Exception&) {
    // No certificate linked yet.
  }

  CK_BYTE label[128];
  CK_BYTE id[128];
  CK_BBOOL token = CK_FALSE;
  CK_ATTRIBUTE keyAttributes[] = {
      attribute(CKA_LABEL, label, sizeof label),
      attribute(CKA_ID, id, sizeof id),
      attribute(CKA_TOKEN, &token, sizeof token),
  };
  GetAttributeValue(key, keyAttributes, 3);
  if (keyAttributes[0].ulValueLen > sizeof label || keyAttributes[1].ulValueLen > sizeof id ||
      keyAttributes[2].ulValueLen > sizeof token) {
    throw Pkcs11Exception(pkcs11Code(CKR_GENERAL_ERROR));
  }

  CK_OBJECT_CLASS certificate = CKO_CERTIFICATE;
  CK_ATTRIBUTE create[] = {
      keyAttributes[0],
      keyAttributes[1],
      keyAttributes[2],
      attribute(CKA_CLASS, &certificate, sizeof certificate),
      attribute(CKA_VALUE, value, length),
  };
  CreateObject(create, 5);
}

void Pkcs11Session::GenerateDeriveKeyPair(CK_MECHANISM_TYPE mechanism, const CK_BYTE* ecParameters,
                                          CK_OBJECT_HANDLE* publicKey, CK_OBJECT_HANDLE* privateKey) {
  // The first two attributes are the public template, all of them the
  // private one: the EC parameters go to the private key only.
  CK_ATTRIBUTE keyTemplate[4] = {
      attribute(CKA_TOKEN, &kFalse, sizeof kFalse),
      attribute(CKA_DERIVE, &kTrue, sizeof kTrue),
      attribute(CKA_PRIVATE, &kTrue, sizeof kTrue),
  };
  CK_ULONG privateCount = 3;
  if (ecParameters) {
    // Only the element's header is read to learn its size: tag, length byte
    // and at most four more length bytes.
    const int32_t size = derElementSize(ecParameters, ecParameters + 6);
    keyTemplate[privateCount++] = attribute(CKA_EC_PARAMS, ecParameters, static_cast<CK_ULONG>(size > 0 ? size : 0));
  }
  CK_MECHANISM m = {mechanism, nullptr, 0};
  checkRv(functions_->C_GenerateKeyPair(handle_, &m, keyTemplate, 2, keyTemplate, privateCount, publicKey,
                                        privateKey));
}

CK_OBJECT_HANDLE Pkcs11Session::GenerateSecretKey(CK_MECHANISM_TYPE mechanism, CK_KEY_TYPE keyType,
                                                  CK_BYTE* value) {
  CK_OBJECT_CLASS secretKey = CKO_SECRET_KEY;
  CK_ATTRIBUTE keyTemplate[] = {
      attribute(CKA_CLASS, &secretKey, sizeof secretKey),
      attribute(CKA_TOKEN, &kFalse, sizeof kFalse),
      attribute(CKA_EXTRACTABLE, &kTrue, sizeof kTrue),
      attribute(CKA_SENSITIVE, value ? &kFalse : &kTrue, sizeof kTrue),
      attribute(CKA_KEY_TYPE, &keyType, sizeof keyType),
  };
  CK_MECHANISM m = {mechanism, nullptr, 0};
  CK_OBJECT_HANDLE key = CK_INVALID_HANDLE;
  checkRv(functions_->C_GenerateKey(handle_, &m, keyTemplate, 5, &key));
  if (value) {
    CK_ATTRIBUTE valueAttribute = attribute(CKA_VALUE, value, 32);
    GetAttributeValue(key, &valueAttribute, 1);
  }
  return key;
}

CK_OBJECT_HANDLE Pkcs11Session::UnwrapSecretKey(CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE unwrappingKey,
                                                const CK_BYTE* wrapped, CK_ULONG wrappedLength,
                                                CK_KEY_TYPE keyType, bool extractable) {
  CK_OBJECT_CLASS secretKey = CKO_SECRET_KEY;
  CK_ATTRIBUTE keyTemplate[] = {
      attribute(CKA_CLASS, &secretKey, sizeof secretKey),
      attribute(CKA_TOKEN, &kFalse, sizeof kFalse),
      attribute(CKA_KEY_TYPE, &keyType, sizeof keyType),
      attribute(CKA_SENSITIVE, &kFalse, sizeof kFalse),
      attribute(CKA_EXTRACTABLE, &kTrue, sizeof kTrue),
  };
  CK_MECHANISM m = {mechanism, nullptr, 0};
  CK_OBJECT_HANDLE key = CK_INVALID_HANDLE;
  checkRv(functions_->C_UnwrapKey(handle_, &m, unwrappingKey, const_cast<CK_BYTE*>(wrapped), wrappedLength,
                                  keyTemplate, extractable ? 5 : 3, &key));
  return key;
}

CK_OBJECT_HANDLE Pkcs11Session::DeriveSecretKey(CK_MECHANISM* mechanism, CK_OBJECT_HANDLE baseKey,
                                                CK_KEY_TYPE keyType) {
  CK_OBJECT_CLASS secretKey = CKO_SECRET_KEY;
  CK_ATTRIBUTE keyTemplate[] = {
      attribute(CKA_CLASS, &secretKey, sizeof secretKey),
      attribute(CKA_TOKEN, &kFalse, sizeof kFalse),
      attribute(CKA_KEY_TYPE, &keyType, sizeof keyType),
      attribute(CKA_WRAP, &kTrue, sizeof kTrue),
      attribute(CKA_UNWRAP, &kTrue, sizeof kTrue),
  };
  CK_OBJECT_HANDLE key = CK_INVALID_HANDLE;
  checkRv(functions_->C_DeriveKey(handle_, mechanism, baseKey, keyTemplate, 5, &key));
  return key;
}

Pkcs11Session* Pkcs11Session::OpenSiblingSession() {
  CK_SESSION_INFO info;
  std::memset(&info, 0, sizeof info);
  info.slotID = 0xFFFFFFFF;
  functions_->C_GetSessionInfo(handle_, &info);
  return module_->OpenSession(info.slotID);
}
