#include "certificate.h"

#include <cstring>
#include <ctime>

#include "attribute_names.h"
#include "der_path.h"
#include "der_scanner.h"
#include "der_time.h"
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

bool sameBytes(const DerElement& e, const uint8_t* data, size_t length) {
  return e.size() == length && std::memcmp(e.start, data, length) == 0;
}

ByteBuffer requiredElement(const uint8_t* from, const uint8_t* limit, const char* format) {
  DerSelected s;
  if (derSelect(from, limit, format, &s) != DER_OK) throw CertificateException(CERT_ERR_DATA);
  return ByteBuffer(s.data, s.length);
}

ByteBuffer requiredOidText(const uint8_t* from, const uint8_t* limit, const char* format) {
  int32_t size = 0;
  if (derScanOidText(from, limit, format, nullptr, &size) != DER_OK || size < 1)
    throw CertificateException(CERT_ERR_DATA);
  ByteBuffer text(nullptr, size - 1);  // the buffer adds the terminator
  if (derScanOidText(from, limit, format, reinterpret_cast<char*>(text.data()), &size) != DER_OK)
    throw CertificateException(CERT_ERR_DATA);
  return text;
}

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

int64_t Certificate::validityTime(const char* path) const {
  DerReader at = DerReader::between(validity_, tbsEnd_);
  DerSelected time;
  int64_t seconds = 0;
  if (derPathWalk(&at, path, &time) != DER_OK || derTimeValue(time, &seconds) != DER_OK)
    throw CertificateException(CERT_ERR_DATA);
  return seconds;
}

int64_t Certificate::notBefore() const { return validityTime("ST"); }

int64_t Certificate::notAfter() const { return validityTime("StT"); }

bool Certificate::isValidAt(int64_t time) const {
  if (time == 0) time = static_cast<int64_t>(std::time(nullptr));
  if (time < notBefore()) return false;
  return time <= notAfter();
}

bool Certificate::isIssuerOf(const Certificate& other) const {
  const DerElement issuerName = other.field(other.issuer_);
  return sameBytes(field(subject_), issuerName.start, issuerName.size());
}

bool Certificate::matchesIdentifier(const uint8_t* id, int32_t size) const {
  if (!id || size < 2) return false;
  DerReader in(id, static_cast<size_t>(size));
  DerElement e;
  uint8_t tag;
  in.peekTag(&tag);
  DerSelected serial;
  DerSelected name;
  if (tag == 0x30)
    return derSelect(id, in.end(), "Ssi", &serial) == DER_OK && derSelect(id, in.end(), "Ss", &name) == DER_OK &&
           sameBytes(field(serial_), serial.data, static_cast<size_t>(serial.length)) &&
           sameBytes(field(issuer_), name.data, static_cast<size_t>(name.length));
  if (tag == 0x04 && in.getElement(&e) && e.headerSize == 2 && e.definite && e.length > 0)
    return subjectKeyIdentifier().equals(e.content(), static_cast<int32_t>(e.length));
  return false;
}

ByteBuffer Certificate::publicKeyInfo() const {
  return ByteBuffer(publicKeyInfo_, derElementSize(publicKeyInfo_, derEnd()));
}

ByteBuffer Certificate::publicKeyAlgorithm() const { return requiredElement(publicKeyInfo_, derEnd(), "Ss"); }

ByteBuffer Certificate::publicKeyAlgorithmOid() const { return requiredOidText(publicKeyInfo_, derEnd(), "SSD"); }

ByteBuffer Certificate::publicKeyParameters() const {
  DerSelected s;
  return derSelect(publicKeyInfo_, derEnd(), "SSdx", &s) == DER_OK ? ByteBuffer(s.data, s.length) : ByteBuffer();
}

ByteBuffer Certificate::publicKey() const { return requiredElement(publicKeyInfo_, derEnd(), "SsGx"); }

ByteBuffer Certificate::signatureAlgorithm() const { return requiredElement(der_.data(), derEnd(), "Sss"); }

ByteBuffer Certificate::signatureAlgorithmOid() const { return requiredOidText(der_.data(), derEnd(), "SsSD"); }

ByteBuffer Certificate::signatureParameters() const {
  DerSelected s;
  if (derSelect(der_.data(), derEnd(), "SsSdx", &s) != DER_OK || s.length == 2) return ByteBuffer();
  return ByteBuffer(s.data, s.length);
}

void Certificate::toBeSigned(const uint8_t** data, int32_t* length) const {
  if (derScan(der_.data(), derEnd(), "Ss", data, length) != DER_OK) throw CertificateException(CERT_ERR_DATA);
}

void Certificate::signatureValue(const uint8_t** data, int32_t* length) const {
  if (derScan(der_.data(), derEnd(), "SssG", data, length) != DER_OK) throw CertificateException(CERT_ERR_DATA);
}
