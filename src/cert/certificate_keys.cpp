// The Certificate members that read the public key and the signature.
#include "certificate.h"
#include "der_path.h"
#include "der_scanner.h"
#include "der_values.h"

namespace {

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
