// The Certificate members that read the standard extensions.
#include <cstring>

#include "format_text.h"
#include "certificate.h"
#include "der_header.h"
#include "der_iterator.h"
#include "der_oid.h"
#include "der_scanner.h"
#include "der_values.h"

namespace {

constexpr size_t kExtensionFormatCapacity = 256;
constexpr int32_t kEncodedOidCapacity = 128;
// The OBJECT IDENTIFIER element of id-ad-ocsp, 1.3.6.1.5.5.7.48.1.
constexpr uint8_t kOcspMethod[10] = {0x06, 0x08, 0x2B, 0x06, 0x01, 0x05, 0x05, 0x07, 0x30, 0x01};

const char* const kUri = "Y6";  // GeneralName uniformResourceIdentifier [6]
const char* const kKeyUsage = "f2.5.29.15 obQ=G";
const char* const kExtendedKeyUsageList = "f2.5.29.37 obQ=S";
const char* const kExtendedKeyUsageCritical = "f2.5.29.37 B";
const char* const kSubjectKeyId = "f2.5.29.14 obQ=Q";
const char* const kAuthorityKeyId = "f2.5.29.35 obQ=SY0";
const char* const kCrlPoints = "f2.5.29.31 obQ=S";
const char* const kFreshestCrlPoints = "f2.5.29.46 obQ=S";
const char* const kAccessDescriptions = "f1.3.6.1.5.5.7.1.1 obQ=S";
const char* const kBasicConstraints = "f2.5.29.19 obQ=s";
const char* const kBasicConstraintsCa = "f2.5.29.19 obQ=SB";
const char* const kSanFirstEmail = "F2.5.29.17obQ=SY1";
const char* const kSubjectEmail = "SSoe0isssF1.2.840.113549.1.9.1C";

ByteBuffer joined(const ByteBuffer& head, char separator, const uint8_t* tail, int32_t tailLength) {
  ByteBuffer result(nullptr, head.size() + 1 + tailLength);
  std::memcpy(result.data(), head.data(), static_cast<size_t>(head.size()));
  result.data()[head.size()] = static_cast<uint8_t>(separator);
  std::memcpy(result.data() + head.size() + 1, tail, static_cast<size_t>(tailLength));
  return result;
}

}  // namespace

bool Certificate::findExtension(const char* oid, const uint8_t** value, int32_t* length,
                                bool* critical) const {
  if (critical) *critical = false;
  if (!oid) return false;
  char format[kExtensionFormatCapacity];
  if (critical) {
    bool flag = false;
    if (formatText(format, sizeof format, "f%sB", oid) &&
        derScanBool(extensions_, extensionsEnd(), format, &flag) == DER_OK)
      *critical = flag;
  }
  if (!formatText(format, sizeof format, "f%sobQ", oid)) return false;
  const uint8_t* start = nullptr;
  int32_t size = 0;
  if (derScan(extensions_, extensionsEnd(), format, &start, &size) != DER_OK) return false;
  if (value) *value = start;
  if (length) *length = size;
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
  uint8_t bits = 0;
  if (derScanCopy(extensions_, extensionsEnd(), kKeyUsage, &bits, 1) != DER_OK) return 0;
  return bits;
}

bool Certificate::hasExtendedKeyUsage(const char* oid) const {
  uint8_t encoded[kEncodedOidCapacity];
  const int32_t encodedSize = derEncodeOid(oid, encoded, kEncodedOidCapacity);
  if (encodedSize == 0) return false;
  DerIterator purpose;
  for (int32_t status = derIterFirst(extensions_, extensionsEnd(), kExtendedKeyUsageList, &purpose);
       status == DER_OK; status = derIterNext(&purpose)) {
    if (purpose.currentSize == encodedSize &&
        derAvailable(purpose.current, purpose.end) >= static_cast<size_t>(encodedSize) &&
        std::memcmp(purpose.current, encoded, static_cast<size_t>(encodedSize)) == 0)
      return true;
  }
  return false;
}

bool Certificate::extendedKeyUsageIsCritical() const {
  bool critical = false;
  return derScanBool(extensions_, extensionsEnd(), kExtendedKeyUsageCritical, &critical) == DER_OK &&
         critical;
}

bool Certificate::allowsExtendedKeyUsage(const char* oid) const {
  if (!extendedKeyUsageIsCritical()) return true;
  if (oid && *oid) return hasExtendedKeyUsage(oid);
  return false;
}

bool Certificate::hasCriticalExtendedKeyUsageOutside(const char* list) const {
  if (!extendedKeyUsageIsCritical()) return false;
  DerIterator purpose;
  for (int32_t status = derIterFirst(extensions_, extensionsEnd(), kExtendedKeyUsageList, &purpose);
       status == DER_OK; status = derIterNext(&purpose)) {
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
  const uint8_t* start = nullptr;
  int32_t length = 0;
  if (derScan(extensions_, extensionsEnd(), kSubjectKeyId, &start, &length) != DER_OK) return ByteBuffer();
  return ByteBuffer(start, length);
}

ByteBuffer Certificate::authorityKeyIdentifier() const {
  const uint8_t* start = nullptr;
  int32_t length = 0;
  if (derScan(extensions_, extensionsEnd(), kAuthorityKeyId, &start, &length) != DER_OK) return ByteBuffer();
  return ByteBuffer(start, length);
}

ByteBuffer Certificate::pointUrls(const char* listFormat, int32_t index) const {
  if (index < 0) return ByteBuffer();
  DerIterator point;
  int32_t status = derIterFirst(extensions_, extensionsEnd(), listFormat, &point);
  for (int32_t skipped = 0; status == DER_OK && skipped < index; ++skipped) status = derIterNext(&point);
  if (status != DER_OK) return ByteBuffer();
  ByteBuffer urls;
  DerIterator name;
  for (status = derIterFirst(point.current, point.end, "SE0E0", &name); status == DER_OK;
       status = derIterNext(&name)) {
    const uint8_t* url = nullptr;
    int32_t length = 0;
    if (derScan(name.current, name.end, kUri, &url, &length) != DER_OK)
      continue;
    urls = urls.isEmpty() ? ByteBuffer(url, length) : joined(urls, '|', url, length);
  }
  return urls;
}

ByteBuffer Certificate::crlDistributionPoint(int32_t index) const { return pointUrls(kCrlPoints, index); }

ByteBuffer Certificate::freshestCrl(int32_t index) const { return pointUrls(kFreshestCrlPoints, index); }

ByteBuffer Certificate::ocspUrl(int32_t index) const {
  if (index < 0) return ByteBuffer();
  int32_t skipped = 0;
  DerIterator description;
  for (int32_t status = derIterFirst(extensions_, extensionsEnd(), kAccessDescriptions, &description);
       status == DER_OK; status = derIterNext(&description)) {
    const uint8_t* method = nullptr;
    int32_t methodLength = 0;
    if (derScan(description.current, description.end, "Sd", &method, &methodLength) != DER_OK ||
        methodLength < static_cast<int32_t>(sizeof kOcspMethod) ||
        std::memcmp(method, kOcspMethod, sizeof kOcspMethod) != 0)
      continue;
    const uint8_t* url = nullptr;
    int32_t urlLength = 0;
    if (derScan(description.current, description.end, "SdY6", &url, &urlLength) != DER_OK) continue;
    if (skipped++ == index) return ByteBuffer(url, urlLength);
  }
  return ByteBuffer();
}

bool Certificate::isCA() const {
  bool ca = false;
  return derScanBool(extensions_, extensionsEnd(), kBasicConstraintsCa, &ca) == DER_OK && ca;
}

int32_t Certificate::pathLength() const {
  const uint8_t* constraints = nullptr;
  if (derScan(extensions_, extensionsEnd(), kBasicConstraints, &constraints, nullptr) != DER_OK) return -1;
  int32_t length = 0;
  if (derScanInt32(constraints, extensionsEnd(), "SbI", &length) != DER_OK) return 0x7FFFFFFF;
  return length;
}

ByteBuffer Certificate::emailAddress() const {
  const uint8_t* start = nullptr;
  int32_t length = 0;
  if (derScan(extensions_, extensionsEnd(), kSanFirstEmail, &start, &length) == DER_OK)
    return ByteBuffer(start, length);
  if (derScan(der_.data(), derEnd(), kSubjectEmail, &start, &length) == DER_OK)
    return ByteBuffer(start, length);
  throw CertificateDataNotFoundException(CERT_ERR_NOT_FOUND);
}
