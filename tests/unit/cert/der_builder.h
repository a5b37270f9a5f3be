// Building DER by hand for the tests: tlv(0x30, {tlv(0x02, {1})}) and hex text.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline Bytes hex(const char* text) {
  Bytes out;
  int high = -1;
  for (const char* p = text; *p; ++p) {
    int v;
    if (*p >= '0' && *p <= '9') v = *p - '0';
    else if (*p >= 'a' && *p <= 'f') v = *p - 'a' + 10;
    else if (*p >= 'A' && *p <= 'F') v = *p - 'A' + 10;
    else continue;
    if (high < 0) {
      high = v;
    } else {
      out.push_back(static_cast<uint8_t>(high << 4 | v));
      high = -1;
    }
  }
  return out;
}

inline std::string toHex(const uint8_t* data, size_t size) {
  std::string out;
  char two[3];
  for (size_t i = 0; i < size; ++i) {
    std::snprintf(two, sizeof two, "%02x", data[i]);
    out += two;
  }
  return out;
}

inline Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// A definite-length element with the shortest length form.
inline Bytes tlv(uint8_t tag, const Bytes& content) {
  Bytes out{tag};
  const size_t n = content.size();
  if (n < 0x80) {
    out.push_back(static_cast<uint8_t>(n));
  } else if (n <= 0xFF) {
    out.insert(out.end(), {0x81, static_cast<uint8_t>(n)});
  } else {
    out.insert(out.end(), {0x82, static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
  }
  out.insert(out.end(), content.begin(), content.end());
  return out;
}

inline Bytes tlv(uint8_t tag, std::initializer_list<Bytes> children) { return tlv(tag, cat(children)); }

inline Bytes text(const char* s) { return Bytes(s, s + std::char_traits<char>::length(s)); }

inline std::string certPath(const char* name) { return std::string(QELT_CERT_DATA_DIR) + "/" + name; }

inline Bytes readCertFile(const char* name) {
  std::ifstream in(certPath(name), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline const char* const kCertFiles[] = {"ca-rsa.der", "leaf-ec-utf8.der", "bmp-cn.der",
                                         "v1-2050.der", "v1-1965.der", "two-points.der"};

// A small certificate made of the pieces the tests vary.
struct CertificateParts {
  bool withVersion = true;
  Bytes serial = hex("02 02 00 C8");
  Bytes issuer;   // defaults to a Name with CN "Issuer"
  Bytes subject;  // defaults to a Name with CN "Subject"
  Bytes validity;
  std::vector<Bytes> extensions;  // Extension elements; none: no [3] at all
};

inline Bytes rdn(const Bytes& oid, uint8_t stringTag, const Bytes& value) {
  return tlv(0x31, {tlv(0x30, {tlv(0x06, oid), tlv(stringTag, value)})});
}

inline Bytes commonName(const char* cn) { return tlv(0x30, {rdn(hex("55 04 03"), 0x0C, text(cn))}); }

inline Bytes extension(const Bytes& oid, const Bytes& value, int critical = -1) {
  if (critical < 0) return tlv(0x30, {tlv(0x06, oid), tlv(0x04, value)});
  return tlv(0x30, {tlv(0x06, oid), tlv(0x01, Bytes{static_cast<uint8_t>(critical ? 0xFF : 0x00)}),
                    tlv(0x04, value)});
}

inline Bytes makeCertificate(const CertificateParts& parts) {
  const Bytes algorithm = tlv(0x30, {tlv(0x06, hex("2A 86 48 86 F7 0D 01 01 0B")), hex("05 00")});
  const Bytes validity = parts.validity.empty()
                             ? tlv(0x30, {tlv(0x17, text("240101000000Z")), tlv(0x17, text("250101000000Z"))})
                             : parts.validity;
  const Bytes publicKeyInfo =
      tlv(0x30, {tlv(0x30, {tlv(0x06, hex("2A 86 48 CE 3D 02 01")), tlv(0x06, hex("2A 86 48 CE 3D 03 01 07"))}),
                 tlv(0x03, hex("00 04 01 02 03"))});
  Bytes tbs;
  if (parts.withVersion) tbs = cat({tbs, tlv(0xA0, {tlv(0x02, hex("02"))})});
  tbs = cat({tbs, parts.serial, algorithm, parts.issuer.empty() ? commonName("Issuer") : parts.issuer,
             validity, parts.subject.empty() ? commonName("Subject") : parts.subject, publicKeyInfo});
  if (!parts.extensions.empty()) {
    Bytes list;
    for (const Bytes& e : parts.extensions) list = cat({list, e});
    tbs = cat({tbs, tlv(0xA3, {tlv(0x30, list)})});
  }
  return tlv(0x30, {tlv(0x30, tbs), algorithm, tlv(0x03, hex("00 AA BB CC"))});
}
