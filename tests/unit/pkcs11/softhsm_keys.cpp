#include "softhsm_keys.h"

const std::vector<CK_BYTE> kP256Parameters = {0x06, 0x08, 0x2A, 0x86, 0x48, 0xCE, 0x3D, 0x03, 0x01, 0x07};

namespace {
CK_BBOOL kTrue = CK_TRUE;
CK_BBOOL kFalse = CK_FALSE;
}  // namespace

std::vector<CK_BYTE> bytesOf(const std::string& text) { return std::vector<CK_BYTE>(text.begin(), text.end()); }

KeyPair generateRsaPair(Pkcs11Session& session, const std::string& label, const std::vector<CK_BYTE>& id,
                        bool onToken) {
  CK_ULONG bits = 1024;
  CK_BYTE exponent[] = {1, 0, 1};
  CK_BBOOL* token = onToken ? &kTrue : &kFalse;
  std::vector<CK_BYTE> labelBytes = bytesOf(label);
  std::vector<CK_BYTE> idBytes = id;
  CK_ATTRIBUTE publicTemplate[] = {
      {CKA_TOKEN, token, 1},
      {CKA_LABEL, labelBytes.data(), labelBytes.size()},
      {CKA_ID, idBytes.data(), idBytes.size()},
      {CKA_MODULUS_BITS, &bits, sizeof bits},
      {CKA_PUBLIC_EXPONENT, exponent, sizeof exponent},
      {CKA_VERIFY, &kTrue, 1},
      {CKA_WRAP, &kTrue, 1},
  };
  CK_ATTRIBUTE privateTemplate[] = {
      {CKA_TOKEN, token, 1},
      {CKA_LABEL, labelBytes.data(), labelBytes.size()},
      {CKA_ID, idBytes.data(), idBytes.size()},
      {CKA_PRIVATE, &kTrue, 1},
      {CKA_SIGN, &kTrue, 1},
      {CKA_UNWRAP, &kTrue, 1},
  };
  KeyPair pair;
  session.GenerateKeyPair(CKM_RSA_PKCS_KEY_PAIR_GEN, publicTemplate, 7, privateTemplate, 6, &pair.publicKey,
                          &pair.privateKey);
  return pair;
}

KeyPair generateEcPair(Pkcs11Session& session) {
  std::vector<CK_BYTE> parameters = kP256Parameters;
  CK_ATTRIBUTE publicTemplate[] = {
      {CKA_TOKEN, &kFalse, 1},
      {CKA_EC_PARAMS, parameters.data(), parameters.size()},
      {CKA_DERIVE, &kTrue, 1},
  };
  CK_ATTRIBUTE privateTemplate[] = {
      {CKA_TOKEN, &kFalse, 1},
      {CKA_DERIVE, &kTrue, 1},
  };
  KeyPair pair;
  session.GenerateKeyPair(CKM_EC_KEY_PAIR_GEN, publicTemplate, 3, privateTemplate, 2, &pair.publicKey,
                          &pair.privateKey);
  return pair;
}
