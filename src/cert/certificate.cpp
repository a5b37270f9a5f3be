#include "certificate.h"

#include <cstring>
#include <ctime>

#include "attribute_names.h"
#include "der_path.h"
#include "der_scanner.h"
#include "der_time.h"
#include "der_values.h"

namespace {

const uint8_t kNoExtensions[2] = {0x30, 0x00};
constexpr int32_t kMinCertificateSize = 9;
constexpr size_t kMaxAttributeOidText = 77;
// Enough to read a header of any supported form.
constexpr int kMaxHeaderSize = 6;

}  // namespace

namespace {

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

}  // namespace

Certificate::Certificate(const void* data, int32_t length)
    : der_(data, checkedElementLength(data, length)), extensions_(kNoExtensions), publicKeyInfo_(nullptr) {
  locateElements();
}

Certificate::~Certificate() = default;

Certificate* Certificate::clone() const { return new Certificate(*this); }

void Certificate::locateElements() {
  // Public key info: "SSoe0isssss". Extensions: "SSoe0isssssoy1oy2E3s",
  // which shares that walk and goes on from the public key info.
  DerCursor cursor;
  if (derPathStart(der_.data(), derEnd(), &cursor) != DER_OK ||
      derPathWalk(&cursor, "SSoe0isssss", &publicKeyInfo_, nullptr) != DER_OK)
    throw CertificateException(CERT_ERR_DATA);
  const uint8_t* extensions = nullptr;
  extensions_ = kNoExtensions;
  if (derPathWalk(&cursor, "soy1oy2E3s", &extensions, nullptr) == DER_OK) extensions_ = extensions;
}

const uint8_t* Certificate::extensionsEnd() const {
  return extensions_ == kNoExtensions ? kNoExtensions + sizeof kNoExtensions : derEnd();
}

ByteBuffer Certificate::requiredElement(const uint8_t* from, const uint8_t* limit,
                                        const char* format) const {
  const uint8_t* start = nullptr;
  int32_t length = 0;
  if (derScan(from, limit, format, &start, &length) != DER_OK)
    throw CertificateException(CERT_ERR_DATA);
  return ByteBuffer(start, length);
}

ByteBuffer Certificate::requiredOidText(const uint8_t* from, const uint8_t* limit,
                                        const char* format) const {
  int32_t size = 0;
  if (derScanOidText(from, limit, format, nullptr, &size) != DER_OK || size < 1)
    throw CertificateException(CERT_ERR_DATA);
  ByteBuffer text(nullptr, size - 1);  // the buffer adds the terminator
  if (derScanOidText(from, limit, format, reinterpret_cast<char*>(text.data()), &size) != DER_OK)
    throw CertificateException(CERT_ERR_DATA);
  return text;
}

ByteBuffer Certificate::serialNumber() const { return requiredElement(der_.data(), derEnd(), "SSoe0i"); }

ByteBuffer Certificate::issuer() const { return requiredElement(der_.data(), derEnd(), "SSoe0iss"); }

ByteBuffer Certificate::subject() const { return requiredElement(der_.data(), derEnd(), "SSoe0issss"); }

bool Certificate::issuerAttribute(const char* name, char* output, int32_t* size) const {
  return nameAttribute("SSoe0iss", name, output, size);
}

bool Certificate::subjectAttribute(const char* name, char* output, int32_t* size) const {
  return nameAttribute("SSoe0issss", name, output, size);
}

bool Certificate::nameAttribute(const char* nameFormat, const char* name, char* output,
                                int32_t* size) const {
  const uint8_t* nameElement = nullptr;
  if (derScan(der_.data(), derEnd(), nameFormat, &nameElement, nullptr) != DER_OK) return false;
  if (!name || !size) return false;
  const char* oid = name;
  if (static_cast<unsigned char>(name[0]) >= 'A') {
    oid = attributeOidByName(name);
    if (!oid) return false;
  }
  const size_t oidLength = std::strlen(oid);
  if (oidLength > kMaxAttributeOidText) return false;
  char format[kMaxAttributeOidText + 3];
  format[0] = 'F';
  std::memcpy(format + 1, oid, oidLength);
  format[oidLength + 1] = 'C';
  format[oidLength + 2] = '\0';
  return derScanString(nameElement, derEnd(), format, output, size) == DER_OK;
}

int64_t Certificate::notBefore() const {
  int64_t time = 0;
  if (derScanTime(der_.data(), derEnd(), "SSoe0issST", &time) != DER_OK)
    throw CertificateException(CERT_ERR_DATA);
  return time;
}

int64_t Certificate::notAfter() const {
  int64_t time = 0;
  if (derScanTime(der_.data(), derEnd(), "SSoe0issStT", &time) != DER_OK)
    throw CertificateException(CERT_ERR_DATA);
  return time;
}

bool Certificate::isValidAt(int64_t time) const {
  if (time == 0) time = static_cast<int64_t>(std::time(nullptr));
  if (time < notBefore()) return false;
  return time <= notAfter();
}

bool Certificate::isIssuerOf(const Certificate& other) const {
  const ByteBuffer issuerName = requiredElement(other.der_.data(), other.derEnd(), "SSoe0iss");
  return subject().equals(issuerName);
}

bool Certificate::matchesIdentifier(const uint8_t* id, int32_t size) const {
  if (!id || size < 2) return false;
  const uint8_t* limit = id + size;
  if (id[0] == 0x30) {
    const uint8_t* serial = nullptr;
    const uint8_t* name = nullptr;
    int32_t serialLength = 0;
    int32_t nameLength = 0;
    if (derScan(id, limit, "Ssi", &serial, &serialLength) != DER_OK) return false;
    if (derScan(id, limit, "Ss", &name, &nameLength) != DER_OK) return false;
    return serialNumber().equals(serial, serialLength) && issuer().equals(name, nameLength);
  }
  if (id[0] == 0x04 && id[1] >= 1 && id[1] <= 127 && size >= 2 + id[1])
    return subjectKeyIdentifier().equals(id + 2, id[1]);
  return false;
}

ByteBuffer Certificate::publicKeyInfo() const {
  return ByteBuffer(publicKeyInfo_, derElementSize(publicKeyInfo_, derEnd()));
}

ByteBuffer Certificate::publicKeyAlgorithm() const { return requiredElement(publicKeyInfo_, derEnd(), "Ss"); }

ByteBuffer Certificate::publicKeyAlgorithmOid() const { return requiredOidText(publicKeyInfo_, derEnd(), "SSD"); }

ByteBuffer Certificate::publicKeyParameters() const {
  const uint8_t* start = nullptr;
  int32_t length = 0;
  if (derScan(publicKeyInfo_, derEnd(), "SSdx", &start, &length) != DER_OK) return ByteBuffer();
  return ByteBuffer(start, length);
}

ByteBuffer Certificate::publicKey() const { return requiredElement(publicKeyInfo_, derEnd(), "SsGx"); }

ByteBuffer Certificate::signatureAlgorithm() const { return requiredElement(der_.data(), derEnd(), "Sss"); }

ByteBuffer Certificate::signatureAlgorithmOid() const { return requiredOidText(der_.data(), derEnd(), "SsSD"); }

ByteBuffer Certificate::signatureParameters() const {
  const uint8_t* start = nullptr;
  int32_t length = 0;
  if (derScan(der_.data(), derEnd(), "SsSdx", &start, &length) != DER_OK || length == 2) return ByteBuffer();
  return ByteBuffer(start, length);
}

void Certificate::toBeSigned(const uint8_t** data, int32_t* length) const {
  if (derScan(der_.data(), derEnd(), "Ss", data, length) != DER_OK) throw CertificateException(CERT_ERR_DATA);
}

void Certificate::signatureValue(const uint8_t** data, int32_t* length) const {
  if (derScan(der_.data(), derEnd(), "SssG", data, length) != DER_OK) throw CertificateException(CERT_ERR_DATA);
}
