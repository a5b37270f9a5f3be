// Pkcs11Session against SoftHSM2: login, PINs, objects and the finders.
#include <gtest/gtest.h>

#include <string>

#include "softhsm_keys.h"
#include "softhsm_session.h"

namespace {

CK_OBJECT_HANDLE createDataObject(Pkcs11Session& session, const std::string& label, const std::string& application,
                                  const std::string& value) {
  CK_OBJECT_CLASS data = CKO_DATA;
  CK_BBOOL onToken = CK_FALSE;
  std::vector<CK_BYTE> l = bytesOf(label), a = bytesOf(application), v = bytesOf(value);
  CK_ATTRIBUTE attributes[] = {
      {CKA_CLASS, &data, sizeof data},
      {CKA_TOKEN, &onToken, 1},
      {CKA_LABEL, l.data(), l.size()},
      {CKA_APPLICATION, a.data(), a.size()},
      {CKA_VALUE, v.data(), v.size()},
  };
  return session.CreateObject(attributes, 5);
}

std::string text(const ByteBuffer& buffer) { return std::string(reinterpret_cast<const char*>(buffer.data()), buffer.size()); }

CK_OBJECT_HANDLE createCertificate(Pkcs11Session& session, const std::vector<CK_BYTE>& id,
                                   const std::vector<CK_BYTE>& subject, const std::vector<CK_BYTE>& value) {
  CK_OBJECT_CLASS certificate = CKO_CERTIFICATE;
  CK_CERTIFICATE_TYPE type = CKC_X_509;
  CK_BBOOL onToken = CK_TRUE;
  std::vector<CK_BYTE> i = id, s = subject, v = value;
  CK_ATTRIBUTE attributes[] = {
      {CKA_CLASS, &certificate, sizeof certificate},
      {CKA_CERTIFICATE_TYPE, &type, sizeof type},
      {CKA_TOKEN, &onToken, 1},
      {CKA_ID, i.data(), i.size()},
      {CKA_SUBJECT, s.data(), s.size()},
      {CKA_VALUE, v.data(), v.size()},
  };
  return session.CreateObject(attributes, 6);
}

}  // namespace

using SoftHsmObjects = SoftHsmSessionTest;

TEST_F(SoftHsmObjects, WrongPinIsReportedWithModuleCode) {
  session_->Logout();
  EXPECT_EQ(codeOf([&] { session_->Login("0000"); }), pkcs11Code(CKR_PIN_INCORRECT));
  session_->Login(kUserPin);
  EXPECT_EQ(codeOf([&] { session_->Login(kUserPin); }), pkcs11Code(CKR_USER_ALREADY_LOGGED_IN));
}

TEST_F(SoftHsmObjects, PinChange) {
  std::unique_ptr<Pkcs11Session> pinSession(module_->OpenSession(module_->FindSlot("@Beta")));
  pinSession->Login(kUserPin);
  pinSession->SetPin(kUserPin, "4321");
  pinSession->Logout();
  EXPECT_EQ(codeOf([&] { pinSession->Login(kUserPin); }), pkcs11Code(CKR_PIN_INCORRECT));
  pinSession->Login("4321");
  EXPECT_EQ(codeOf([&] { pinSession->SetPin("9999", kUserPin); }), pkcs11Code(CKR_PIN_INCORRECT));
  pinSession->SetPin("4321", kUserPin);
}

TEST_F(SoftHsmObjects, DataObjectIsReadByLabelOrApplication) {
  createDataObject(*session_, "report", "qelt", "hello token");
  EXPECT_EQ(text(session_->ReadDataObject("report", nullptr)), "hello token");
  EXPECT_EQ(text(session_->ReadDataObject(nullptr, "qelt")), "hello token");
  EXPECT_EQ(text(session_->ReadDataObject("report", "qelt")), "hello token");
  EXPECT_EQ(codeOf([&] { session_->ReadDataObject("report", "other"); }), PKCS11_ERR_NOT_FOUND);
}

TEST_F(SoftHsmObjects, DataObjectWithEmptyValueReadsEmpty) {
  createDataObject(*session_, "empty", "qelt-empty", "");
  EXPECT_TRUE(session_->ReadDataObject("empty", nullptr).isEmpty());
}

TEST_F(SoftHsmObjects, SearchesAreEndedSoThatTheSessionCanSearchAgain) {
  createDataObject(*session_, "twin", "a", "1");
  createDataObject(*session_, "twin", "b", "2");
  // Two matches are not exactly one.
  EXPECT_EQ(codeOf([&] { session_->ReadDataObject("twin", nullptr); }), PKCS11_ERR_NOT_FOUND);
  EXPECT_EQ(codeOf([&] { session_->ReadDataObject("twin", "c"); }), PKCS11_ERR_NOT_FOUND);
  EXPECT_EQ(text(session_->ReadDataObject("twin", "b")), "2");
}

TEST_F(SoftHsmObjects, DestroyingAStaleHandleReturnsTheErrorWithoutThrowing) {
  const CK_OBJECT_HANDLE object = createDataObject(*session_, "stale", "qelt", "x");
  EXPECT_EQ(session_->DestroyObject(object), CKR_OK);
  EXPECT_EQ(session_->DestroyObject(object), CKR_OBJECT_HANDLE_INVALID);
  EXPECT_EQ(codeOf([&] { session_->ReadDataObject("stale", nullptr); }), PKCS11_ERR_NOT_FOUND);
}

TEST_F(SoftHsmObjects, SetAttributeValueChangesALabel) {
  const CK_OBJECT_HANDLE object = createDataObject(*session_, "before", "qelt-set", "x");
  std::vector<CK_BYTE> label = bytesOf("after");
  CK_ATTRIBUTE change = {CKA_LABEL, label.data(), label.size()};
  session_->SetAttributeValue(object, &change, 1);
  EXPECT_EQ(text(session_->ReadDataObject("after", "qelt-set")), "x");
}

TEST_F(SoftHsmObjects, FindersLocateKeysByLabelIdAndRelation) {
  const std::vector<CK_BYTE> id = {0x51, 0x52};
  const KeyPair pair = generateRsaPair(*session_, "finder key", id, true);

  EXPECT_EQ(session_->FindPublicKey("finder key", 0, nullptr, 0), pair.publicKey);
  EXPECT_EQ(session_->FindPublicKey(nullptr, CKA_ID, id.data(), id.size()), pair.publicKey);
  EXPECT_EQ(session_->FindPublicKey("finder key", CKA_ID, id.data(), id.size()), pair.publicKey);
  EXPECT_EQ(session_->FindPrivateKey("finder key", 0, nullptr, 0), pair.privateKey);
  EXPECT_EQ(session_->FindRelatedObject(pair.privateKey, CKO_PUBLIC_KEY), pair.publicKey);

  EXPECT_EQ(codeOf([&] { session_->FindPublicKey("no such key", 0, nullptr, 0); }), PKCS11_ERR_NOT_FOUND);
  const std::vector<CK_BYTE> otherId = {0x00};
  EXPECT_EQ(codeOf([&] { session_->FindPublicKey("finder key", CKA_ID, otherId.data(), otherId.size()); }),
            PKCS11_ERR_NOT_FOUND);
  // No certificate carries the key's CKA_ID.
  EXPECT_EQ(codeOf([&] { session_->FindRelatedObject(pair.publicKey, CKO_CERTIFICATE); }), PKCS11_ERR_NOT_FOUND);

  session_->DestroyObject(pair.publicKey);
  session_->DestroyObject(pair.privateKey);
}

TEST_F(SoftHsmObjects, ExtraAttributeTellsKeysWithOneLabelApart) {
  const KeyPair first = generateRsaPair(*session_, "shared label", {0x61}, true);
  const KeyPair second = generateRsaPair(*session_, "shared label", {0x62}, true);
  const CK_BYTE secondId = 0x62;
  EXPECT_EQ(session_->FindPublicKey("shared label", CKA_ID, &secondId, 1), second.publicKey);
  for (CK_OBJECT_HANDLE h : {first.publicKey, first.privateKey, second.publicKey, second.privateKey}) {
    session_->DestroyObject(h);
  }
}

TEST_F(SoftHsmObjects, CertificateIsReadBySubject) {
  const std::vector<CK_BYTE> subject = {0x30, 0x03, 0x01, 0x02, 0x03};
  const std::vector<CK_BYTE> value = {0x30, 0x02, 0xAA, 0xBB};
  const CK_OBJECT_HANDLE certificate = createCertificate(*session_, {0x71}, subject, value);
  const ByteBuffer read = session_->ReadCertificateBySubject(subject.data(), subject.size());
  EXPECT_TRUE(read.equals(value.data(), static_cast<int32_t>(value.size())));
  const std::vector<CK_BYTE> otherSubject = {0x30, 0x00};
  EXPECT_EQ(codeOf([&] { session_->ReadCertificateBySubject(otherSubject.data(), otherSubject.size()); }),
            PKCS11_ERR_NOT_FOUND);
  session_->DestroyObject(certificate);
}

TEST_F(SoftHsmObjects, StoreCertificateRemovesTheOldCertificateFirst) {
  const std::vector<CK_BYTE> id = {0x81, 0x82, 0x83};
  const KeyPair pair = generateRsaPair(*session_, "store key", id, true);
  const std::vector<CK_BYTE> subject = {0x30, 0x03, 0x0C, 0x01, 0x53};
  const CK_OBJECT_HANDLE old = createCertificate(*session_, id, subject, {0x01});
  ASSERT_EQ(session_->FindRelatedObject(pair.publicKey, CKO_CERTIFICATE), old);

  const std::vector<CK_BYTE> value = {0x30, 0x01, 0x00};
  const int32_t code = codeOf([&] { session_->StoreCertificate(pair.publicKey, value.data(), value.size()); });
  // The old certificate is gone before the new one is created.
  EXPECT_EQ(session_->DestroyObject(old), CKR_OBJECT_HANDLE_INVALID);
  // SoftHSM2 wants a CKA_CERTIFICATE_TYPE, which the stored template does
  // not carry: its refusal comes through unchanged.
  EXPECT_EQ(code, pkcs11Code(CKR_TEMPLATE_INCOMPLETE));
  session_->DestroyObject(pair.publicKey);
  session_->DestroyObject(pair.privateKey);
}
