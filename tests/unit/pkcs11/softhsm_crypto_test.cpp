// Pkcs11Session against SoftHSM2: key generation and the cryptographic
// wrappers.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "softhsm_keys.h"
#include "softhsm_session.h"

namespace {

using Bytes = std::vector<CK_BYTE>;

const Bytes kMessage = bytesOf("The quick brown fox jumps over!!");  // 32 bytes, a multiple of 8

Bytes checkValue(Pkcs11Session& session, CK_OBJECT_HANDLE key) {
  CK_BYTE value[3];
  CK_ATTRIBUTE attribute = {CKA_CHECK_VALUE, value, sizeof value};
  session.GetAttributeValue(key, &attribute, 1);
  return Bytes(value, value + attribute.ulValueLen);
}

Bytes encrypt(Pkcs11Session& session, CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE key, const CK_BYTE* iv,
              const Bytes& plain) {
  session.EncryptInit(mechanism, key, iv);
  Bytes out(plain.size() + 16);
  CK_ULONG length = out.size();
  out.resize(session.Encrypt(plain.data(), plain.size(), out.data(), &length));
  return out;
}

Bytes decrypt(Pkcs11Session& session, CK_MECHANISM_TYPE mechanism, CK_OBJECT_HANDLE key, const CK_BYTE* iv,
              const Bytes& cipher) {
  session.DecryptInit(mechanism, key, iv);
  Bytes out(cipher.size() + 16);
  CK_ULONG length = out.size();
  out.resize(session.Decrypt(cipher.data(), cipher.size(), out.data(), &length));
  return out;
}

}  // namespace

using SoftHsmCrypto = SoftHsmSessionTest;

TEST_F(SoftHsmCrypto, SignAndVerifyInOneAndSeveralParts) {
  const KeyPair pair = generateRsaPair(*session_, "signer", {0x11}, false);
  session_->SignInit(CKM_SHA256_RSA_PKCS, pair.privateKey);
  CK_ULONG length = 0;
  EXPECT_EQ(session_->Sign(kMessage.data(), kMessage.size(), nullptr, &length), 128u);
  Bytes signature(length);
  EXPECT_EQ(session_->Sign(kMessage.data(), kMessage.size(), signature.data(), &length), 128u);

  session_->VerifyInit(CKM_SHA256_RSA_PKCS, pair.publicKey);
  session_->Verify(kMessage.data(), kMessage.size(), signature.data(), signature.size());

  session_->SignInit(CKM_SHA256_RSA_PKCS, pair.privateKey);
  session_->SignUpdate(kMessage.data(), 10);
  session_->SignUpdate(kMessage.data() + 10, kMessage.size() - 10);
  Bytes partSignature(128);
  length = partSignature.size();
  session_->SignFinal(partSignature.data(), &length);
  EXPECT_EQ(partSignature, signature);  // PKCS#1 v1.5 signatures are deterministic

  session_->VerifyInit(CKM_SHA256_RSA_PKCS, pair.publicKey);
  session_->VerifyUpdate(kMessage.data(), kMessage.size());
  session_->VerifyFinal(signature.data(), signature.size());

  signature[5] ^= 0x01;
  session_->VerifyInit(CKM_SHA256_RSA_PKCS, pair.publicKey);
  EXPECT_EQ(codeOf([&] { session_->Verify(kMessage.data(), kMessage.size(), signature.data(), signature.size()); }),
            pkcs11Code(CKR_SIGNATURE_INVALID));
}

TEST_F(SoftHsmCrypto, TooSmallOutputThrowsAndLeavesTheLengthAlone) {
  const KeyPair pair = generateRsaPair(*session_, "small", {0x12}, false);
  session_->SignInit(CKM_SHA256_RSA_PKCS, pair.privateKey);
  Bytes signature(10);
  CK_ULONG length = signature.size();
  EXPECT_EQ(codeOf([&] { session_->Sign(kMessage.data(), kMessage.size(), signature.data(), &length); }),
            pkcs11Code(CKR_BUFFER_TOO_SMALL));
  EXPECT_EQ(length, 10u);
}

TEST_F(SoftHsmCrypto, DigestInOneAndSeveralParts) {
  const Bytes abc = bytesOf("abc");
  const Bytes expected = {0xba, 0x78, 0x16, 0xbf, 0x8f, 0x01, 0xcf, 0xea, 0x41, 0x41, 0x40, 0xde, 0x5d, 0xae, 0x22, 0x23,
                          0xb0, 0x03, 0x61, 0xa3, 0x96, 0x17, 0x7a, 0x9c, 0xb4, 0x10, 0xff, 0x61, 0xf2, 0x00, 0x15, 0xad};
  Bytes digest(32);
  CK_ULONG length = digest.size();
  session_->DigestInit(CKM_SHA256, nullptr, 0);
  EXPECT_EQ(session_->Digest(abc.data(), abc.size(), digest.data(), &length), 32u);
  EXPECT_EQ(digest, expected);

  session_->DigestInit(CKM_SHA256, nullptr, 0);
  session_->DigestUpdate(abc.data(), 1);
  session_->DigestUpdate(abc.data() + 1, 2);
  Bytes partDigest(32);
  length = partDigest.size();
  session_->DigestFinal(partDigest.data(), &length);
  EXPECT_EQ(partDigest, expected);
}

TEST_F(SoftHsmCrypto, SecretKeyValueIsReadOnlyWhenAsked) {
  CK_BYTE value[32] = {};
  const CK_OBJECT_HANDLE readable = session_->GenerateSecretKey(CKM_DES3_KEY_GEN, CKK_DES3, value);
  EXPECT_NE(readable, static_cast<CK_OBJECT_HANDLE>(CK_INVALID_HANDLE));
  EXPECT_NE(Bytes(value, value + 24), Bytes(24, 0));

  const CK_OBJECT_HANDLE sensitive = session_->GenerateSecretKey(CKM_DES3_KEY_GEN, CKK_DES3, nullptr);
  CK_BYTE secret[32];
  CK_ATTRIBUTE attribute = {CKA_VALUE, secret, sizeof secret};
  EXPECT_EQ(codeOf([&] { session_->GetAttributeValue(sensitive, &attribute, 1); }),
            pkcs11Code(CKR_ATTRIBUTE_SENSITIVE));
}

TEST_F(SoftHsmCrypto, EncryptAndDecryptWithoutIv) {
  const CK_OBJECT_HANDLE key = session_->GenerateSecretKey(CKM_DES3_KEY_GEN, CKK_DES3, nullptr);
  const Bytes cipher = encrypt(*session_, CKM_DES3_ECB, key, nullptr, kMessage);
  EXPECT_EQ(cipher.size(), kMessage.size());
  EXPECT_NE(cipher, kMessage);
  EXPECT_EQ(decrypt(*session_, CKM_DES3_ECB, key, nullptr, cipher), kMessage);
}

TEST_F(SoftHsmCrypto, EncryptAndDecryptWithAnEightByteIv) {
  const CK_OBJECT_HANDLE key = session_->GenerateSecretKey(CKM_DES3_KEY_GEN, CKK_DES3, nullptr);
  const CK_BYTE iv[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const CK_BYTE otherIv[8] = {8, 7, 6, 5, 4, 3, 2, 1};
  const Bytes cipher = encrypt(*session_, CKM_DES3_CBC, key, iv, kMessage);
  EXPECT_NE(cipher, encrypt(*session_, CKM_DES3_CBC, key, otherIv, kMessage));
  EXPECT_EQ(decrypt(*session_, CKM_DES3_CBC, key, iv, cipher), kMessage);
  // Without the IV the mechanism has no parameter, which CBC refuses.
  EXPECT_NE(codeOf([&] { session_->EncryptInit(CKM_DES3_CBC, key, nullptr); }), 0);
}

TEST_F(SoftHsmCrypto, EncryptAndDecryptInParts) {
  const CK_OBJECT_HANDLE key = session_->GenerateSecretKey(CKM_DES3_KEY_GEN, CKK_DES3, nullptr);
  const CK_BYTE iv[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  const Bytes whole = encrypt(*session_, CKM_DES3_CBC, key, iv, kMessage);

  session_->EncryptInit(CKM_DES3_CBC, key, iv);
  Bytes cipher(64);
  CK_ULONG length = cipher.size();
  CK_ULONG total = session_->EncryptUpdate(kMessage.data(), 16, cipher.data(), &length);
  length = cipher.size() - total;
  total += session_->EncryptUpdate(kMessage.data() + 16, 16, cipher.data() + total, &length);
  length = cipher.size() - total;
  total += session_->EncryptFinal(cipher.data() + total, &length);
  cipher.resize(total);
  EXPECT_EQ(cipher, whole);

  session_->DecryptInit(CKM_DES3_CBC, key, iv);
  Bytes plain(64);
  length = plain.size();
  total = session_->DecryptUpdate(cipher.data(), cipher.size(), plain.data(), &length);
  length = plain.size() - total;
  total += session_->DecryptFinal(plain.data() + total, &length);
  plain.resize(total);
  EXPECT_EQ(plain, kMessage);
}

TEST_F(SoftHsmCrypto, DualFunctionRefusalComesThroughUnchanged) {
  Bytes out(64);
  CK_ULONG length = out.size();
  EXPECT_EQ(codeOf([&] { session_->DigestEncryptUpdate(kMessage.data(), kMessage.size(), out.data(), &length); }),
            pkcs11Code(CKR_FUNCTION_NOT_SUPPORTED));
  EXPECT_EQ(codeOf([&] { session_->DecryptVerifyUpdate(kMessage.data(), kMessage.size(), out.data(), &length); }),
            pkcs11Code(CKR_FUNCTION_NOT_SUPPORTED));
  EXPECT_EQ(length, out.size());
}

TEST_F(SoftHsmCrypto, WrapAndUnwrap) {
  const KeyPair rsa = generateRsaPair(*session_, "wrapper", {0x13}, false);
  CK_BYTE value[32] = {};
  const CK_OBJECT_HANDLE key = session_->GenerateSecretKey(CKM_DES3_KEY_GEN, CKK_DES3, value);

  Bytes wrapped(256);
  CK_ULONG length = wrapped.size();
  wrapped.resize(session_->WrapKey(CKM_RSA_PKCS, rsa.publicKey, key, wrapped.data(), &length));
  EXPECT_EQ(wrapped.size(), 128u);

  const CK_OBJECT_HANDLE readable =
      session_->UnwrapSecretKey(CKM_RSA_PKCS, rsa.privateKey, wrapped.data(), wrapped.size(), CKK_DES3, true);
  CK_BYTE unwrapped[32] = {};
  CK_ATTRIBUTE attribute = {CKA_VALUE, unwrapped, sizeof unwrapped};
  session_->GetAttributeValue(readable, &attribute, 1);
  EXPECT_EQ(Bytes(unwrapped, unwrapped + attribute.ulValueLen), Bytes(value, value + 24));

  const CK_OBJECT_HANDLE plainUnwrap =
      session_->UnwrapSecretKey(CKM_RSA_PKCS, rsa.privateKey, wrapped.data(), wrapped.size(), CKK_DES3, false);
  EXPECT_EQ(encrypt(*session_, CKM_DES3_ECB, plainUnwrap, nullptr, kMessage),
            encrypt(*session_, CKM_DES3_ECB, key, nullptr, kMessage));
  CK_BYTE secret[32];
  CK_ATTRIBUTE secretValue = {CKA_VALUE, secret, sizeof secret};
  EXPECT_NE(codeOf([&] { session_->GetAttributeValue(plainUnwrap, &secretValue, 1); }), 0);
}

TEST_F(SoftHsmCrypto, DeriveGivesBothSidesTheSameKey) {
  const KeyPair alice = generateEcPair(*session_);
  const KeyPair bob = generateEcPair(*session_);
  auto point = [&](CK_OBJECT_HANDLE publicKey) {
    CK_BYTE buffer[128];
    CK_ATTRIBUTE attribute = {CKA_EC_POINT, buffer, sizeof buffer};
    session_->GetAttributeValue(publicKey, &attribute, 1);
    return Bytes(buffer, buffer + attribute.ulValueLen);
  };
  auto derive = [&](CK_OBJECT_HANDLE privateKey, Bytes otherPoint) {
    CK_ECDH1_DERIVE_PARAMS parameters = {CKD_NULL, 0, nullptr, otherPoint.size(), otherPoint.data()};
    CK_MECHANISM mechanism = {CKM_ECDH1_DERIVE, &parameters, sizeof parameters};
    return session_->DeriveSecretKey(&mechanism, privateKey, CKK_DES3);
  };
  const CK_OBJECT_HANDLE aliceKey = derive(alice.privateKey, point(bob.publicKey));
  const CK_OBJECT_HANDLE bobKey = derive(bob.privateKey, point(alice.publicKey));
  EXPECT_EQ(checkValue(*session_, aliceKey), checkValue(*session_, bobKey));

  CK_BBOOL canWrap = CK_FALSE;
  CK_ATTRIBUTE attribute = {CKA_WRAP, &canWrap, 1};
  session_->GetAttributeValue(aliceKey, &attribute, 1);
  EXPECT_EQ(canWrap, CK_TRUE);
}

TEST_F(SoftHsmCrypto, DeriveKeyPairGivesParametersToThePrivateKeyOnly) {
  CK_OBJECT_HANDLE publicKey = CK_INVALID_HANDLE;
  CK_OBJECT_HANDLE privateKey = CK_INVALID_HANDLE;
  const int32_t code = codeOf([&] {
    session_->GenerateDeriveKeyPair(CKM_EC_KEY_PAIR_GEN, kP256Parameters.data(), &publicKey, &privateKey);
  });
  // SoftHSM2 takes the curve from the public template only.
  EXPECT_EQ(code, pkcs11Code(CKR_TEMPLATE_INCOMPLETE));
}

TEST_F(SoftHsmCrypto, RandomBytesDiffer) {
  Bytes first(32), second(32);
  session_->GenerateRandom(first.data(), first.size());
  session_->GenerateRandom(second.data(), second.size());
  EXPECT_NE(first, second);
  EXPECT_NE(first, Bytes(32, 0));
}

TEST_F(SoftHsmCrypto, SiblingSessionIsOnTheSameSlot) {
  std::unique_ptr<Pkcs11Session> sibling(session_->OpenSiblingSession());
  CK_SESSION_INFO mine, theirs;
  ASSERT_EQ(module_->functionList()->C_GetSessionInfo(session_->handle(), &mine), CKR_OK);
  ASSERT_EQ(module_->functionList()->C_GetSessionInfo(sibling->handle(), &theirs), CKR_OK);
  EXPECT_NE(sibling->handle(), session_->handle());
  EXPECT_EQ(theirs.slotID, mine.slotID);
  // The sibling shares the login of its token.
  EXPECT_EQ(theirs.state, static_cast<CK_STATE>(CKS_RW_USER_FUNCTIONS));
}
