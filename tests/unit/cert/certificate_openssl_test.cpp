// Our reading of the test certificates against OpenSSL's, field by field,
// also for single-byte mutations of them that OpenSSL still accepts.
#include <gtest/gtest.h>
#include <openssl/asn1.h>
#include <openssl/objects.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "certificate.h"
#include "der_builder.h"

namespace {

std::string str(const ByteBuffer& b) { return std::string(reinterpret_cast<const char*>(b.data()), b.size()); }
std::string asn1String(const ASN1_STRING* s) {
  return s ? std::string(reinterpret_cast<const char*>(ASN1_STRING_get0_data(s)), ASN1_STRING_length(s)) : "";
}

// What we report for a certificate, in one comparable record.
struct Fields {
  std::string serial, issuer, subject, cn, email, publicKeyOid, signatureOid, ski, aki;
  int64_t notBefore = 0, notAfter = 0;
  int keyUsage = 0;
  bool ca = false, selfIssued = false;
  int32_t pathLength = -1;
  std::vector<std::string> crl, ocsp;
};

Fields ours(const Certificate& c) {
  Fields f;
  f.serial = str(c.serialNumber());
  f.issuer = str(c.issuer());
  f.subject = str(c.subject());
  char cn[333];
  int32_t size = sizeof cn;
  f.cn = c.subjectAttribute("CN", cn, &size) ? cn : "<none>";
  try {
    f.email = str(c.emailAddress());
  } catch (const CertificateDataNotFoundException&) {
    f.email = "<none>";
  }
  f.publicKeyOid = str(c.publicKeyAlgorithmOid());
  f.signatureOid = str(c.signatureAlgorithmOid());
  f.ski = str(c.subjectKeyIdentifier());
  f.aki = str(c.authorityKeyIdentifier());
  f.notBefore = c.notBefore();
  f.notAfter = c.notAfter();
  f.keyUsage = c.keyUsage();
  f.ca = c.isCA();
  f.pathLength = c.pathLength();
  f.selfIssued = c.isSelfIssued();
  for (int32_t i = 0;; ++i) {
    const ByteBuffer url = c.crlDistributionPoint(i);
    if (url.isEmpty()) break;
    f.crl.push_back(str(url));
  }
  for (int32_t i = 0;; ++i) {
    const ByteBuffer url = c.ocspUrl(i);
    if (url.isEmpty()) break;
    f.ocsp.push_back(str(url));
  }
  return f;
}

template <typename T, typename F>
std::string der(T* value, F encode) {
  unsigned char* out = nullptr;
  const int n = encode(value, &out);
  std::string s = n > 0 ? std::string(reinterpret_cast<char*>(out), n) : "";
  OPENSSL_free(out);
  return s;
}

constexpr int64_t kInvalidTime = INT64_MIN;  // OpenSSL parses times lazily; some never convert

int64_t seconds(const ASN1_TIME* t) {
  std::tm tm{};
  if (ASN1_TIME_to_tm(t, &tm) != 1) return kInvalidTime;
  return static_cast<int64_t>(timegm(&tm));
}

std::string oidText(const ASN1_OBJECT* oid) {
  char text[256];
  OBJ_obj2txt(text, sizeof text, oid, 1);
  return text;
}

std::string uriOf(const GENERAL_NAME* name) {
  return name->type == GEN_URI ? asn1String(name->d.uniformResourceIdentifier) : "";
}

Fields theirs(X509* x) {
  Fields f;
  f.serial = der(X509_get_serialNumber(x), i2d_ASN1_INTEGER);
  f.issuer = der(X509_get_issuer_name(x), i2d_X509_NAME);
  f.subject = der(X509_get_subject_name(x), i2d_X509_NAME);
  f.cn = "<none>";
  // The first CN among the first attributes of the RDNs.
  const X509_NAME* subject = X509_get_subject_name(x);
  int lastSet = -1;
  for (int i = 0; i < X509_NAME_entry_count(subject); ++i) {
    const X509_NAME_ENTRY* entry = X509_NAME_get_entry(subject, i);
    if (X509_NAME_ENTRY_set(entry) == lastSet) continue;
    lastSet = X509_NAME_ENTRY_set(entry);
    if (OBJ_obj2nid(X509_NAME_ENTRY_get_object(entry)) != NID_commonName) continue;
    unsigned char* utf8 = nullptr;
    const int n = ASN1_STRING_to_UTF8(&utf8, X509_NAME_ENTRY_get_data(entry));
    f.cn = n >= 0 ? std::string(reinterpret_cast<char*>(utf8), n) : "<bad>";
    OPENSSL_free(utf8);
    break;
  }
  f.email = "<none>";
  GENERAL_NAMES* san = static_cast<GENERAL_NAMES*>(X509_get_ext_d2i(x, NID_subject_alt_name, nullptr, nullptr));
  if (san && sk_GENERAL_NAME_num(san) > 0 && sk_GENERAL_NAME_value(san, 0)->type == GEN_EMAIL) {
    f.email = asn1String(sk_GENERAL_NAME_value(san, 0)->d.rfc822Name);
  } else {
    lastSet = -1;
    for (int i = 0; i < X509_NAME_entry_count(subject); ++i) {
      const X509_NAME_ENTRY* entry = X509_NAME_get_entry(subject, i);
      if (X509_NAME_ENTRY_set(entry) == lastSet) continue;
      lastSet = X509_NAME_ENTRY_set(entry);
      if (OBJ_obj2nid(X509_NAME_ENTRY_get_object(entry)) == NID_pkcs9_emailAddress) {
        f.email = asn1String(X509_NAME_ENTRY_get_data(entry));
        break;
      }
    }
  }
  GENERAL_NAMES_free(san);
  ASN1_OBJECT* keyAlgorithm = nullptr;
  X509_PUBKEY_get0_param(&keyAlgorithm, nullptr, nullptr, nullptr, X509_get_X509_PUBKEY(x));
  f.publicKeyOid = oidText(keyAlgorithm);
  const ASN1_OBJECT* signatureAlgorithm = nullptr;
  X509_ALGOR_get0(&signatureAlgorithm, nullptr, nullptr, X509_get0_tbs_sigalg(x));
  const X509_ALGOR* outer = nullptr;
  X509_get0_signature(nullptr, &outer, x);
  X509_ALGOR_get0(&signatureAlgorithm, nullptr, nullptr, outer);
  f.signatureOid = oidText(signatureAlgorithm);
  f.ski = asn1String(X509_get0_subject_key_id(x));
  f.aki = asn1String(X509_get0_authority_key_id(x));
  f.notBefore = seconds(X509_get0_notBefore(x));
  f.notAfter = seconds(X509_get0_notAfter(x));
  // Key usage bits taking a second byte (decipherOnly) read as 0.
  ASN1_BIT_STRING* usage = static_cast<ASN1_BIT_STRING*>(X509_get_ext_d2i(x, NID_key_usage, nullptr, nullptr));
  f.keyUsage = usage && ASN1_STRING_length(usage) == 1 ? ASN1_STRING_get0_data(usage)[0] : 0;
  ASN1_BIT_STRING_free(usage);
  BASIC_CONSTRAINTS* bc = static_cast<BASIC_CONSTRAINTS*>(X509_get_ext_d2i(x, NID_basic_constraints, nullptr, nullptr));
  if (bc) {
    f.ca = bc->ca != 0;
    f.pathLength = 0x7FFFFFFF;
    int64_t length = 0;
    // We read a path length only behind an explicit cA, and only up to 4 bytes.
    if (bc->ca && bc->pathlen && ASN1_INTEGER_get_int64(&length, bc->pathlen) == 1 && length >= INT32_MIN &&
        length <= INT32_MAX)
      f.pathLength = static_cast<int32_t>(length);
    BASIC_CONSTRAINTS_free(bc);
  }
  f.selfIssued = X509_NAME_cmp(X509_get_issuer_name(x), X509_get_subject_name(x)) == 0;
  CRL_DIST_POINTS* points = static_cast<CRL_DIST_POINTS*>(X509_get_ext_d2i(x, NID_crl_distribution_points, nullptr, nullptr));
  for (int i = 0; points && i < sk_DIST_POINT_num(points); ++i) {
    const DIST_POINT* point = sk_DIST_POINT_value(points, i);
    std::string urls;
    if (point->distpoint && point->distpoint->type == 0) {
      for (int j = 0; j < sk_GENERAL_NAME_num(point->distpoint->name.fullname); ++j) {
        const std::string uri = uriOf(sk_GENERAL_NAME_value(point->distpoint->name.fullname, j));
        if (uri.empty()) continue;
        urls = urls.empty() ? uri : urls + "|" + uri;
      }
    }
    if (urls.empty()) break;
    f.crl.push_back(urls);
  }
  CRL_DIST_POINTS_free(points);
  AUTHORITY_INFO_ACCESS* aia = static_cast<AUTHORITY_INFO_ACCESS*>(X509_get_ext_d2i(x, NID_info_access, nullptr, nullptr));
  for (int i = 0; aia && i < sk_ACCESS_DESCRIPTION_num(aia); ++i) {
    const ACCESS_DESCRIPTION* d = sk_ACCESS_DESCRIPTION_value(aia, i);
    if (OBJ_obj2nid(d->method) == NID_ad_OCSP && d->location->type == GEN_URI) f.ocsp.push_back(uriOf(d->location));
  }
  AUTHORITY_INFO_ACCESS_free(aia);
  return f;
}

void expectSame(const Fields& a, const Fields& b, const std::string& what) {
  EXPECT_EQ(a.serial, b.serial) << what;
  EXPECT_EQ(a.issuer, b.issuer) << what;
  EXPECT_EQ(a.subject, b.subject) << what;
  EXPECT_EQ(a.cn, b.cn) << what;
  EXPECT_EQ(a.email, b.email) << what;
  EXPECT_EQ(a.publicKeyOid, b.publicKeyOid) << what;
  EXPECT_EQ(a.signatureOid, b.signatureOid) << what;
  EXPECT_EQ(a.ski, b.ski) << what;
  EXPECT_EQ(a.aki, b.aki) << what;
  if (b.notBefore != kInvalidTime) EXPECT_EQ(a.notBefore, b.notBefore) << what;
  if (b.notAfter != kInvalidTime) EXPECT_EQ(a.notAfter, b.notAfter) << what;
  EXPECT_EQ(a.keyUsage, b.keyUsage) << what;
  EXPECT_EQ(a.ca, b.ca) << what;
  EXPECT_EQ(a.pathLength, b.pathLength) << what;
  EXPECT_EQ(a.selfIssued, b.selfIssued) << what;
  EXPECT_EQ(a.crl, b.crl) << what;
  EXPECT_EQ(a.ocsp, b.ocsp) << what;
}

// Whether every extension OpenSSL knows decodes whole and encodes back to the
// same bytes. Where not, OpenSSL drops the extension entirely while we read
// what can be read (the unused bits of a key usage as they stand, an
// extension value with bytes after its SEQUENCE, one bad entry in a list).
bool extensionsAreDer(X509* x) {
  for (int i = 0; i < X509_get_ext_count(x); ++i) {
    X509_EXTENSION* ext = X509_get_ext(x, i);
    const X509V3_EXT_METHOD* method = X509V3_EXT_get(ext);
    if (!method || !method->it) continue;
    const ASN1_OCTET_STRING* data = X509_EXTENSION_get_data(ext);
    const unsigned char* p = ASN1_STRING_get0_data(data);
    const unsigned char* end = p + ASN1_STRING_length(data);
    ASN1_VALUE* value = ASN1_item_d2i(nullptr, &p, ASN1_STRING_length(data), ASN1_ITEM_ptr(method->it));
    if (!value) return false;
    unsigned char* out = nullptr;
    const int n = ASN1_item_i2d(value, &out, ASN1_ITEM_ptr(method->it));
    const bool same = p == end && n == ASN1_STRING_length(data) &&
                      std::memcmp(out, ASN1_STRING_get0_data(data), static_cast<size_t>(n)) == 0;
    OPENSSL_free(out);
    ASN1_item_free(value, ASN1_ITEM_ptr(method->it));
    if (!same) return false;
  }
  return true;
}

X509* parse(const Bytes& bytes) {
  const unsigned char* p = bytes.data();
  X509* x = d2i_X509(nullptr, &p, static_cast<long>(bytes.size()));
  if (x && p != bytes.data() + bytes.size()) {
    X509_free(x);
    return nullptr;
  }
  return x;
}

TEST(CertificateAgainstOpenssl, TestCertificatesAgree) {
  for (const char* name : kCertFiles) {
    const Bytes bytes = readCertFile(name);
    X509* x = parse(bytes);
    ASSERT_NE(x, nullptr) << name;
    const Certificate c(bytes.data(), static_cast<int32_t>(bytes.size()));
    expectSame(ours(c), theirs(x), name);
    X509_free(x);
  }
}

TEST(CertificateAgainstOpenssl, MutationsOpensslAcceptsAgree) {
  int compared = 0;
  for (const char* name : kCertFiles) {
    const Bytes original = readCertFile(name);
    for (size_t i = 0; i < original.size(); ++i) {
      for (uint8_t flip : {0x01, 0x02, 0x10, 0x80}) {
        Bytes mutated(original);
        mutated[i] ^= flip;
        X509* x = parse(mutated);
        if (!x) continue;
        // OpenSSL drops every extension once one of them does not decode;
        // we look each one up on its own. Compare where OpenSSL is whole.
        if ((X509_get_extension_flags(x) & EXFLAG_INVALID) || !extensionsAreDer(x) || theirs(x).cn == "<bad>") {
          X509_free(x);
          continue;
        }
        try {
          const Certificate c(mutated.data(), static_cast<int32_t>(mutated.size()));
          expectSame(ours(c), theirs(x), std::string(name) + " byte " + std::to_string(i) + " ^ " + std::to_string(flip));
          ++compared;
        } catch (const DsException& e) {
          ADD_FAILURE() << name << " byte " << i << " ^ " << int{flip} << ": OpenSSL accepts, we throw " << e.code();
        }
        X509_free(x);
      }
    }
  }
  EXPECT_GT(compared, 1000);
}

}  // namespace
