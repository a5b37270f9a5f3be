#include "token_certificates.h"

#include <cstring>
#include <exception>
#include <memory>

#include "attribute_value.h"
#include "certificate.h"
#include "certificate_entry.h"
#include "ckr_name.h"
#include "ds_exception.h"
#include "format_text.h"
#include "pkcs11_exception.h"
#include "pkcs11_module.h"
#include "pkcs11_session.h"
#include "trace.h"

namespace {

constexpr CK_ULONG kMaxSlots = 32;
constexpr CK_ULONG kMaxKeysPerToken = 100;
// The vendor-defined key type of the Secure Token's own keys.
constexpr CK_KEY_TYPE kSecureTokenKeyType = 0x80420131;
// Owner names: 332 bytes and the terminating zero.
constexpr size_t kNameCapacity = 333;

class EntryList {
 public:
  bool isFull() const { return count_ == list_.size(); }
  void add(const CertificateEntry& entry) {
    if (!isFull()) list_[count_++] = entry;
  }
  TokenCertificateList take() { return std::move(list_); }

 private:
  TokenCertificateList list_{};
  size_t count_ = 0;
};

// What the support log is told of one enumeration: the first failure, by
// the step that met it.
struct FirstFailure {
  const char* step = nullptr;
  int32_t code = 0;
  void note(const char* failedStep, const DsException& failure) {
    if (!step) {
      step = failedStep;
      code = failure.code();
    }
  }
};

// Not a module's failure: a certificate value the parser refuses.
const char kUnreadableCertificate[] = "an unreadable certificate";

// Ends a search that failed half-way, so that the session can search again;
// the first failure is the one reported.
void abandonSearch(Pkcs11Session& session) {
  try {
    session.FindObjectsFinal();
  } catch (const Pkcs11Exception&) {
  }
}

// Runs one search and returns the number of handles found (at most capacity).
CK_ULONG findObjects(Pkcs11Session& session, CK_ATTRIBUTE* search, CK_ULONG searchCount, CK_OBJECT_HANDLE* found,
                     CK_ULONG capacity) {
  session.FindObjectsInit(search, searchCount);
  CK_ULONG count = 0;
  try {
    count = session.FindObjectsUpTo(found, capacity);
  } catch (...) {
    abandonSearch(session);
    throw;
  }
  session.FindObjectsFinal();
  return count < capacity ? count : capacity;
}

CK_ULONG findSecureTokenKeys(Pkcs11Session& session, CK_OBJECT_HANDLE* keys) {
  CK_OBJECT_CLASS publicKey = CKO_PUBLIC_KEY;
  CK_BBOOL onToken = CK_TRUE;
  CK_KEY_TYPE keyType = kSecureTokenKeyType;
  CK_ATTRIBUTE search[] = {
      {CKA_CLASS, &publicKey, sizeof publicKey},
      {CKA_TOKEN, &onToken, sizeof onToken},
      {CKA_KEY_TYPE, &keyType, sizeof keyType},
  };
  return findObjects(session, search, 3, keys, kMaxKeysPerToken);
}

// CKA_VALUE of the certificate with the key's CKA_ID; empty when there is none.
ByteBuffer certificateOfKey(Pkcs11Session& session, CK_OBJECT_HANDLE key) {
  ByteBuffer id = readAttributeValue(session, key, CKA_ID);
  CK_OBJECT_CLASS certificateClass = CKO_CERTIFICATE;
  CK_ATTRIBUTE search[] = {
      {CKA_CLASS, &certificateClass, sizeof certificateClass},
      {CKA_ID, id.data(), static_cast<CK_ULONG>(id.size())},
  };
  CK_OBJECT_HANDLE certificate = CK_INVALID_HANDLE;
  if (findObjects(session, search, 2, &certificate, 1) == 0) return ByteBuffer();
  return readAttributeValue(session, certificate, CKA_VALUE);
}

CertificateEntry entryOfCertificate(const ByteBuffer& value) {
  Certificate certificate(value.data(), value.size());
  // Left empty when the subject has no CN or it does not fit.
  char name[kNameCapacity] = {};
  int32_t nameSize = sizeof name;
  certificate.subjectAttribute("CN", name, &nameSize);
  name[sizeof name - 1] = '\0';

  // Only the first 8 characters reach the entry.
  char keyNumber[16];
  if (!keyNumberText(certificate.serialNumber(), keyNumber, sizeof keyNumber)) {
    throw CertificateDataNotFoundException(CERT_ERR_NOT_FOUND);
  }
  return formatCertificateEntry(name, keyNumber);
}

// Adds the entries of one token. Throws when the work on the slot must end.
void readToken(Pkcs11Session& session, EntryList& entries, FirstFailure& failure) {
  CK_OBJECT_HANDLE keys[kMaxKeysPerToken] = {};
  const CK_ULONG keyCount = findSecureTokenKeys(session, keys);
  int certificates = 0;
  for (CK_ULONG i = 0; i < keyCount && !entries.isFull(); ++i) {
    ByteBuffer value;
    try {
      value = certificateOfKey(session, keys[i]);
    } catch (const DsException& e) {
      failure.note("a key's certificate", e);
      continue;
    } catch (const std::exception&) {
      continue;
    }
    if (value.isEmpty()) continue;
    ++certificates;
    entries.add(entryOfCertificate(value));
  }
  QELT_TRACE("token: %lu keys, %d certificates", static_cast<unsigned long>(keyCount), certificates);
}

void readSlot(Pkcs11Module& module, CK_SLOT_ID slot, EntryList& entries, FirstFailure& failure) {
  QELT_TRACE("token: slot %lu", static_cast<unsigned long>(slot));
  std::unique_ptr<Pkcs11Session> session;
  try {
    session.reset(module.OpenSession(slot));
  } catch (const DsException& e) {
    failure.note("C_OpenSession", e);
    return;
  } catch (const std::exception&) {
    return;
  }
  try {
    readToken(*session, entries, failure);
  } catch (const CertificateException& e) {
    failure.note(kUnreadableCertificate, e);
  } catch (const DsException& e) {
    // Entries stored before the failure stay.
    failure.note("the key search", e);
  } catch (const std::exception&) {
  }
}

}  // namespace

TokenCertificateList enumerateTokenCertificates() { return enumerateTokenCertificates(kTokenModuleName); }

TokenCertificateList enumerateTokenCertificates(const char* moduleFile) {
  EntryList entries;
  FirstFailure failure;
  try {
    std::unique_ptr<Pkcs11Module> module(new Pkcs11Module(moduleFile));
    CK_SLOT_ID slots[kMaxSlots] = {};
    CK_ULONG slotCount = kMaxSlots;
    try {
      module->GetSlotList(slots, &slotCount);
    } catch (const Pkcs11Exception&) {
      slotCount = 0;
    }
    if (slotCount > kMaxSlots) slotCount = kMaxSlots;
    // Once the list is full no further slot is opened.
    for (CK_ULONG i = 0; i < slotCount && !entries.isFull(); ++i)
      readSlot(*module, slots[i], entries, failure);
  } catch (const DsException&) {
  } catch (const std::exception&) {
  }
  if (failure.step == kUnreadableCertificate) {
    QELT_TRACE("token: first failure: %s (code %ld)", failure.step, static_cast<long>(failure.code));
  } else if (failure.step && traceSink) {
    char call[128];
    formatText(call, sizeof call, "first failing call, in %s", failure.step);
    traceTokenResult(call, failure.code);
  }
  return entries.take();
}
