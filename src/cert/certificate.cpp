// Building a Certificate from its bytes, and its serial number and names.
// The other members live in certificate_*.cpp, one file per job.
#include "certificate.h"

#include <cstring>

#include "attribute_names.h"
#include "der_path.h"
#include "der_scanner.h"
#include "der_values.h"
#include "format_text.h"

namespace {

const uint8_t kNoExtensions[2] = {0x30, 0x00};
constexpr int32_t kMinCertificateSize = 9;
constexpr size_t kMaxAttributeOidText = 77;
// Enough to read a header of any supported form.
constexpr int kMaxHeaderSize = 6;

// The length of the one DER element at data (from its header when length is
// 0); throws when the data is not exactly one element of at least 9 bytes.
int32_t checkedElementLength(const void* data, int32_t length) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  if (!bytes) throw CertificateException(CERT_ERR_DATA);
  if (length == 0) length = derElementSize(bytes, bytes + kMaxHeaderSize);
  if (length < kMinCertificateSize || derElementSize(bytes, bytes + length) != length)
    throw CertificateException(CERT_ERR_DATA);
  return length;
}

// Reads the next element when its tag is `tag`, keeping where it starts.
bool getField(DerReader* in, uint8_t tag, const uint8_t** at) {
  uint8_t next;
  DerElement e;
  *at = in->data();
  return in->peekTag(&next) && next == tag && in->getElement(&e);
}

// Whether the next tag is of a non-universal class with this number (and,
// when asked, constructed).
bool nextIsTagged(const DerReader& in, unsigned number, bool constructed) {
  uint8_t tag;
  return in.peekTag(&tag) && (tag & 0xC0) && (tag & 0x1F) == number && (!constructed || (tag & 0x20));
}

ByteBuffer wholeOf(const DerElement& e) { return ByteBuffer(e.start, static_cast<int32_t>(e.size())); }

}  // namespace

Certificate::Certificate(const void* data, int32_t length)
    : der_(data, checkedElementLength(data, length)), extensions_(kNoExtensions), publicKeyInfo_(nullptr) {
  locateElements();
}

Certificate* Certificate::clone() const { return new Certificate(*this); }

// Certificate ::= SEQUENCE { tbsCertificate, signatureAlgorithm, signatureValue }
// TBSCertificate ::= SEQUENCE { version [0] EXPLICIT OPTIONAL, serialNumber,
//   signature, issuer, validity, subject, subjectPublicKeyInfo,
//   issuerUniqueID [1] IMPLICIT OPTIONAL, subjectUniqueID [2] IMPLICIT OPTIONAL,
//   extensions [3] EXPLICIT Extensions OPTIONAL }
// Everything up to the key must be there; the extensions may not be.
void Certificate::locateElements() {
  DerReader certificate(der_.data(), static_cast<size_t>(der_.size()));
  DerReader outer;
  DerReader tbs;
  DerElement e;
  const uint8_t* signature;
  uint8_t tag;
  if (!certificate.peekTag(&tag) || tag != 0x30 || !certificate.enter(&e, &outer) ||
      !outer.peekTag(&tag) || tag != 0x30 || !outer.enter(&e, &tbs) || tbs.empty() ||
      (nextIsTagged(tbs, 0, true) && !tbs.getElement(&e)) || !getField(&tbs, 0x02, &serial_) ||
      !getField(&tbs, 0x30, &signature) || !getField(&tbs, 0x30, &issuer_) ||
      !getField(&tbs, 0x30, &validity_) || !getField(&tbs, 0x30, &subject_) ||
      !getField(&tbs, 0x30, &publicKeyInfo_))
    throw CertificateException(CERT_ERR_DATA);
  tbsEnd_ = tbs.end();
  extensions_ = kNoExtensions;
  for (unsigned number = 1; number <= 2; ++number) {
    if (tbs.empty() || (nextIsTagged(tbs, number, false) && !tbs.getElement(&e))) return;
  }
  DerReader wrapper;
  const uint8_t* extensions;
  if (nextIsTagged(tbs, 3, true) && tbs.enter(&e, &wrapper) && getField(&wrapper, 0x30, &extensions))
    extensions_ = extensions;
}

const uint8_t* Certificate::extensionsEnd() const {
  return extensions_ == kNoExtensions ? kNoExtensions + sizeof kNoExtensions : derEnd();
}

DerElement Certificate::field(const uint8_t* at) const {
  DerReader in = DerReader::between(at, tbsEnd_);
  DerElement e;
  if (!in.getElement(&e)) throw CertificateException(CERT_ERR_DATA);
  return e;
}

ByteBuffer Certificate::serialNumber() const { return wholeOf(field(serial_)); }

ByteBuffer Certificate::issuer() const { return wholeOf(field(issuer_)); }

ByteBuffer Certificate::subject() const { return wholeOf(field(subject_)); }

bool Certificate::issuerAttribute(const char* name, char* output, int32_t* size) const {
  return nameAttribute(issuer_, name, output, size);
}

bool Certificate::subjectAttribute(const char* name, char* output, int32_t* size) const {
  return nameAttribute(subject_, name, output, size);
}

bool Certificate::nameAttribute(const uint8_t* nameElement, const char* name, char* output,
                                int32_t* size) const {
  if (!name || !size) return false;
  uint8_t dotted[kDerPathOidCapacity];
  char dottedPath[kMaxAttributeOidText + 2];
  const char* path = "C";
  size_t oidLength = 0;
  const uint8_t* oid = static_cast<unsigned char>(name[0]) >= 'A' ? attributeOidByName(name, &oidLength) : dotted;
  if (!oid) return false;
  if (oid == dotted) {  // a dotted OID, perhaps with more of a path after it
    const char* rest = name;
    if (std::strlen(name) > kMaxAttributeOidText || (oidLength = derPathOid(&rest, dotted)) == 0 ||
        !formatText(dottedPath, sizeof dottedPath, "%sC", rest))
      return false;
    path = dottedPath;
  }
  DerReader at;
  DerSelected value;
  return derPathStart(nameElement, derEnd(), &at) == DER_OK &&
         derPathSearch(&at, false, oid, oidLength) == DER_OK && derPathWalk(&at, path, &value) == DER_OK &&
         derStringValue(value, output, size) == DER_OK;
}
