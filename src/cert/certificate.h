// One X.509 certificate in DER form. Construction walks the tbsCertificate
// once and keeps the positions of its fields; answers are read from the
// certificate's own bytes on demand, starting at those positions.
//
// Failures throw CertificateException (CERT_ERR_DATA: not one well-formed
// certificate, or a mandatory field cannot be read; CERT_ERR_OPEN: the file
// cannot be opened). Optional data that is absent gives an empty buffer,
// false, 0 or the stated sentinel; only emailAddress() throws
// CertificateDataNotFoundException.
#pragma once

#include <cstddef>
#include <cstdint>

#include "byte_buffer.h"
#include "ds_exception.h"

struct DerElement;
struct DerIterator;
struct DerSelected;

class Certificate {
 public:
  // Copies `length` bytes holding exactly one DER element. With length 0 the
  // length is taken from the element's header, so the data must hold the
  // whole element.
  Certificate(const void* data, int32_t length);
  // Reads a file that holds exactly one DER certificate of 9 to 59999 bytes.
  explicit Certificate(const char* path);
  virtual ~Certificate() = default;
  // A new certificate sharing this one's bytes.
  virtual Certificate* clone() const;

  ByteBuffer der() const { return der_; }
  bool equals(const Certificate& other) const { return der_.equals(other.der_); }

  // The whole INTEGER element (tag, length, content).
  ByteBuffer serialNumber() const;
  // The whole Name elements.
  ByteBuffer issuer() const;
  ByteBuffer subject() const;
  // Text of the first attribute of that type (looking at the first attribute
  // of each RDN). `name` is a short name of the table ("CN", "O", ...) or a
  // dotted OID. *size: capacity on entry, needed size (with the terminator)
  // on return. False when absent or when the buffer is too small.
  bool issuerAttribute(const char* name, char* output, int32_t* size) const;
  bool subjectAttribute(const char* name, char* output, int32_t* size) const;
  // Seconds since 1970-01-01 UTC.
  int64_t notBefore() const;
  int64_t notAfter() const;
  // Whether notBefore <= time <= notAfter; time 0 means now.
  bool isValidAt(int64_t time) const;
  // Whether this certificate's subject is the other's issuer.
  bool isIssuerOf(const Certificate& other) const;
  bool isSelfIssued() const { return isIssuerOf(*this); }
  // `id` is an IssuerAndSerialNumber SEQUENCE or a subject key identifier
  // OCTET STRING of `size` bytes.
  bool matchesIdentifier(const uint8_t* id, int32_t size) const;

  ByteBuffer publicKeyInfo() const;
  ByteBuffer publicKeyAlgorithm() const;
  ByteBuffer publicKeyAlgorithmOid() const;  // dotted text
  ByteBuffer publicKeyParameters() const;    // empty if none
  ByteBuffer publicKey() const;              // first element inside the key bits
  ByteBuffer signatureAlgorithm() const;
  ByteBuffer signatureAlgorithmOid() const;  // dotted text
  ByteBuffer signatureParameters() const;    // empty if none or NULL
  void toBeSigned(const uint8_t** data, int32_t* length) const;
  void signatureValue(const uint8_t** data, int32_t* length) const;

  // Extensions by dotted OID. *value receives the extnValue content;
  // *critical (if given) the critical flag, false when absent.
  bool findExtension(const char* oid, const uint8_t** value, int32_t* length, bool* critical) const;
  bool hasExtension(const char* oid) const;
  ByteBuffer extension(const char* oid, bool* critical) const;
  // First byte of the KeyUsage bits; 0 when absent or longer than one byte.
  uint8_t keyUsage() const;
  bool hasExtendedKeyUsage(const char* oid) const;
  // True unless the extended key usage is critical and does not hold oid.
  bool allowsExtendedKeyUsage(const char* oid) const;
  // List arguments are comma-separated dotted OIDs.
  bool hasCriticalExtendedKeyUsageOutside(const char* list) const;
  bool hasUnlistedCriticalExtension(const char* list) const;
  ByteBuffer subjectKeyIdentifier() const;
  ByteBuffer authorityKeyIdentifier() const;
  // The URIs of the index-th distribution point joined by "|".
  ByteBuffer crlDistributionPoint(int32_t index) const;
  ByteBuffer freshestCrl(int32_t index) const;
  ByteBuffer ocspUrl(int32_t index) const;
  bool isCA() const;
  // -1 without basic constraints, 0x7FFFFFFF when they hold no path length.
  int32_t pathLength() const;
  // The first SAN entry if it is an rfc822Name, else the subject's first
  // emailAddress attribute.
  ByteBuffer emailAddress() const;

 private:
  void locateElements();
  const uint8_t* derEnd() const { return der_.data() + der_.size(); }
  const uint8_t* extensionsEnd() const;
  DerElement field(const uint8_t* at) const;
  int64_t validityTime(const char* path) const;
  bool nameAttribute(const uint8_t* nameElement, const char* name, char* output, int32_t* size) const;
  int32_t inExtension(const uint8_t* oid, size_t oidLength, const char* path, DerSelected* out) const;
  ByteBuffer extensionBytes(const uint8_t* oid, size_t oidLength, const char* path) const;
  int32_t listIn(const uint8_t* oid, size_t oidLength, DerIterator* it) const;
  ByteBuffer pointUrls(const uint8_t* oid, size_t oidLength, int32_t index) const;
  bool extendedKeyUsageIsCritical() const;

  ByteBuffer der_;
  const uint8_t* extensions_;     // Extensions SEQUENCE, or an empty one
  const uint8_t* publicKeyInfo_;  // SubjectPublicKeyInfo
  // Tag bytes of the tbsCertificate's fields, and the end of the
  // tbsCertificate as the walk bounds them.
  const uint8_t* serial_;
  const uint8_t* issuer_;
  const uint8_t* validity_;
  const uint8_t* subject_;
  const uint8_t* tbsEnd_;
};
