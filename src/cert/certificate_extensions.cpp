// The Certificate members that read the standard extensions.
#include <cstring>

#include "certificate.h"
#include "der_iterator.h"
#include "der_oid.h"
#include "der_path.h"
#include "der_scanner.h"
#include "der_values.h"
#include "format_text.h"

namespace {

constexpr size_t kExtensionPathCapacity = 256;
constexpr int32_t kEncodedOidCapacity = 128;
// The OBJECT IDENTIFIER element of id-ad-ocsp, 1.3.6.1.5.5.7.48.1.
constexpr uint8_t kOcspMethod[10] = {0x06, 0x08, 0x2B, 0x06, 0x01, 0x05, 0x05, 0x07, 0x30, 0x01};

// DER content of the extension OIDs.
constexpr uint8_t kKeyUsage[] = {0x55, 0x1D, 0x0F};            // 2.5.29.15
constexpr uint8_t kExtendedKeyUsage[] = {0x55, 0x1D, 0x25};    // 2.5.29.37
constexpr uint8_t kSubjectKeyId[] = {0x55, 0x1D, 0x0E};        // 2.5.29.14
constexpr uint8_t kAuthorityKeyId[] = {0x55, 0x1D, 0x23};      // 2.5.29.35
constexpr uint8_t kCrlPoints[] = {0x55, 0x1D, 0x1F};           // 2.5.29.31
constexpr uint8_t kFreshestCrl[] = {0x55, 0x1D, 0x2E};         // 2.5.29.46
constexpr uint8_t kBasicConstraints[] = {0x55, 0x1D, 0x13};    // 2.5.29.19
constexpr uint8_t kSubjectAltName[] = {0x55, 0x1D, 0x11};      // 2.5.29.17
constexpr uint8_t kAuthorityInfoAccess[] = {0x2B, 0x06, 0x01, 0x05, 0x05, 0x07, 0x01, 0x01};  // 1.3.6.1.5.5.7.1.1
// The subject's emailAddress attribute, 1.2.840.113549.1.9.1.
constexpr uint8_t kEmailAttribute[] = {0x2A, 0x86, 0x48, 0x86, 0xF7, 0x0D, 0x01, 0x09, 0x01};

ByteBuffer joined(const ByteBuffer& head, char separator, const uint8_t* tail, int32_t tailLength) {
  ByteBuffer result(nullptr, head.size() + 1 + tailLength);
  std::memcpy(result.data(), head.data(), static_cast<size_t>(head.size()));
  result.data()[head.size()] = static_cast<uint8_t>(separator);
  std::memcpy(result.data() + head.size() + 1, tail, static_cast<size_t>(tailLength));
  return result;
}

}  // namespace

int32_t Certificate::inExtension(const uint8_t* oid, size_t oidLength, const char* path,
                                 DerSelected* out) const {
  DerReader at;
  int32_t status = derPathStart(extensions_, extensionsEnd(), &at);
  if (status == DER_OK) status = derPathSearch(&at, false, oid, oidLength);
  return status == DER_OK ? derPathWalk(&at, path, out) : status;
}

ByteBuffer Certificate::extensionBytes(const uint8_t* oid, size_t oidLength, const char* path) const {
  DerSelected bytes;
  if (inExtension(oid, oidLength, path, &bytes) != DER_OK) return ByteBuffer();
  return ByteBuffer(bytes.data, bytes.length);
}

bool Certificate::findExtension(const char* oid, const uint8_t** value, int32_t* length,
                                bool* critical) const {
  if (critical) *critical = false;
  if (!oid) return false;
  const char* rest = oid;
  uint8_t der[kDerPathOidCapacity];
  const int32_t derLength = derPathOid(&rest, der);
  DerReader at;
  if (derLength == 0 || derPathStart(extensions_, extensionsEnd(), &at) != DER_OK ||
      derPathSearch(&at, false, der, static_cast<size_t>(derLength)) != DER_OK)
    return false;
  // The whole path is written out only to hold the caller's text to its size;
  // the walk goes on after the OID.
  char path[kExtensionPathCapacity];
  const size_t afterOid = 1 + static_cast<size_t>(rest - oid);
  DerSelected selected;
  if (critical && formatText(path, sizeof path, "f%sB", oid)) {
    DerReader flagAt = at;
    bool flag = false;
    if (derPathWalk(&flagAt, path + afterOid, &selected) == DER_OK && derBoolValue(selected, &flag) == DER_OK)
      *critical = flag;
  }
  if (!formatText(path, sizeof path, "f%sobQ", oid) || derPathWalk(&at, path + afterOid, &selected) != DER_OK)
    return false;
  if (value) *value = selected.data;
  if (length) *length = selected.length;
  return true;
}

bool Certificate::hasExtension(const char* oid) const {
  return findExtension(oid, nullptr, nullptr, nullptr);
}

ByteBuffer Certificate::extension(const char* oid, bool* critical) const {
  const uint8_t* value = nullptr;
  int32_t length = 0;
  if (!findExtension(oid, &value, &length, critical)) return ByteBuffer();
  return ByteBuffer(value, length);
}

uint8_t Certificate::keyUsage() const {
  DerSelected bits;
  if (inExtension(kKeyUsage, sizeof kKeyUsage, "obQ=G", &bits) != DER_OK || bits.length != 1) return 0;
  return bits.data[0];
}

// Stands on the first of the elements listed in the selection's content.
int32_t Certificate::listIn(const uint8_t* oid, size_t oidLength, DerIterator* it) const {
  DerSelected list;
  const int32_t status = inExtension(oid, oidLength, "obQ=S", &list);
  return status == DER_OK ? derIterOver(list.data, list.length, it) : status;
}

bool Certificate::hasExtendedKeyUsage(const char* oid) const {
  uint8_t encoded[kEncodedOidCapacity];
  const int32_t encodedSize = derEncodeOid(oid, encoded, kEncodedOidCapacity);
  if (encodedSize == 0) return false;
  DerIterator purpose;
  for (int32_t status = listIn(kExtendedKeyUsage, sizeof kExtendedKeyUsage, &purpose); status == DER_OK;
       status = derIterNext(&purpose)) {
    if (purpose.currentSize == encodedSize &&
        std::memcmp(purpose.current, encoded, static_cast<size_t>(encodedSize)) == 0)
      return true;
  }
  return false;
}

bool Certificate::extendedKeyUsageIsCritical() const {
  DerSelected flag;
  bool critical = false;
  return inExtension(kExtendedKeyUsage, sizeof kExtendedKeyUsage, "B", &flag) == DER_OK &&
         derBoolValue(flag, &critical) == DER_OK && critical;
}

bool Certificate::allowsExtendedKeyUsage(const char* oid) const {
  if (!extendedKeyUsageIsCritical()) return true;
  if (oid && *oid) return hasExtendedKeyUsage(oid);
  return false;
}

bool Certificate::hasCriticalExtendedKeyUsageOutside(const char* list) const {
  if (!extendedKeyUsageIsCritical()) return false;
  DerIterator purpose;
  for (int32_t status = listIn(kExtendedKeyUsage, sizeof kExtendedKeyUsage, &purpose); status == DER_OK;
       status = derIterNext(&purpose)) {
    if (!derOidInList(purpose.current, purpose.end, list)) return true;
  }
  return false;
}

bool Certificate::hasUnlistedCriticalExtension(const char* list) const {
  DerIterator extension;
  for (int32_t status = derIterFirst(extensions_, extensionsEnd(), "S", &extension);
       status == DER_OK; status = derIterNext(&extension)) {
    bool critical = false;
    if (derScanBool(extension.current, extension.end, "SdB", &critical) != DER_OK || !critical)
      continue;
    const uint8_t* oid = nullptr;
    if (derScan(extension.current, extension.end, "Sd", &oid, nullptr) != DER_OK ||
        !derOidInList(oid, extension.end, list))
      return true;
  }
  return false;
}

ByteBuffer Certificate::subjectKeyIdentifier() const {
  return extensionBytes(kSubjectKeyId, sizeof kSubjectKeyId, "obQ=Q");
}

ByteBuffer Certificate::authorityKeyIdentifier() const {
  return extensionBytes(kAuthorityKeyId, sizeof kAuthorityKeyId, "obQ=SY0");
}

ByteBuffer Certificate::pointUrls(const uint8_t* oid, size_t oidLength, int32_t index) const {
  if (index < 0) return ByteBuffer();
  DerIterator point;
  int32_t status = listIn(oid, oidLength, &point);
  for (int32_t skipped = 0; status == DER_OK && skipped < index; ++skipped) status = derIterNext(&point);
  if (status != DER_OK) return ByteBuffer();
  ByteBuffer urls;
  DerIterator name;
  for (status = derIterFirst(point.current, point.end, "SE0E0", &name); status == DER_OK;
       status = derIterNext(&name)) {
    DerSelected url;
    if (derSelect(name.current, name.end, "Y6", &url) != DER_OK) continue;  // uniformResourceIdentifier
    urls = urls.isEmpty() ? ByteBuffer(url.data, url.length) : joined(urls, '|', url.data, url.length);
  }
  return urls;
}

ByteBuffer Certificate::crlDistributionPoint(int32_t index) const { return pointUrls(kCrlPoints, sizeof kCrlPoints, index); }

ByteBuffer Certificate::freshestCrl(int32_t index) const { return pointUrls(kFreshestCrl, sizeof kFreshestCrl, index); }

ByteBuffer Certificate::ocspUrl(int32_t index) const {
  if (index < 0) return ByteBuffer();
  int32_t skipped = 0;
  DerIterator description;
  for (int32_t status = listIn(kAuthorityInfoAccess, sizeof kAuthorityInfoAccess, &description);
       status == DER_OK; status = derIterNext(&description)) {
    DerSelected method;
    DerSelected url;
    if (derSelect(description.current, description.end, "Sd", &method) != DER_OK ||
        method.length < static_cast<int32_t>(sizeof kOcspMethod) ||
        std::memcmp(method.data, kOcspMethod, sizeof kOcspMethod) != 0 ||
        derSelect(description.current, description.end, "SdY6", &url) != DER_OK)
      continue;
    if (skipped++ == index) return ByteBuffer(url.data, url.length);
  }
  return ByteBuffer();
}

bool Certificate::isCA() const {
  DerSelected flag;
  bool ca = false;
  return inExtension(kBasicConstraints, sizeof kBasicConstraints, "obQ=SB", &flag) == DER_OK &&
         derBoolValue(flag, &ca) == DER_OK && ca;
}

int32_t Certificate::pathLength() const {
  DerSelected constraints;
  if (inExtension(kBasicConstraints, sizeof kBasicConstraints, "obQ=s", &constraints) != DER_OK) return -1;
  int32_t length = 0;
  if (derScanInt32(constraints.data, extensionsEnd(), "SbI", &length) != DER_OK) return 0x7FFFFFFF;
  return length;
}

ByteBuffer Certificate::emailAddress() const {
  DerSelected email;
  DerReader at = DerReader::between(subject_, tbsEnd_);
  if (inExtension(kSubjectAltName, sizeof kSubjectAltName, "obQ=SY1", &email) == DER_OK ||
      (derPathSearch(&at, false, kEmailAttribute, sizeof kEmailAttribute) == DER_OK &&
       derPathWalk(&at, "C", &email) == DER_OK))
    return ByteBuffer(email.data, email.length);
  throw CertificateDataNotFoundException(CERT_ERR_NOT_FOUND);
}
