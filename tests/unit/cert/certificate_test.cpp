#include "certificate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "der_builder.h"

namespace {

const char kOlenaUtf8[] =
    "\xD0\x9E\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xB0\x20\xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD0\xB5\xD0\xBD\xD0\xBA\xD0\xBE";
const char kTarasUtf8[] =
    "\xD0\xA2\xD0\xB0\xD1\x80\xD0\xB0\xD1\x81\x20\xD0\xA8\xD0\xB5\xD0\xB2\xD1\x87\xD0\xB5\xD0\xBD\xD0\xBA\xD0\xBE";

std::string str(const ByteBuffer& b) { return std::string(reinterpret_cast<const char*>(b.data()), b.size()); }
std::string hexOf(const ByteBuffer& b) { return toHex(b.data(), static_cast<size_t>(b.size())); }

Certificate load(const char* name) {
  const Bytes bytes = readCertFile(name);
  return Certificate(bytes.data(), static_cast<int32_t>(bytes.size()));
}

template <typename F>
int32_t codeThrownBy(F f) {
  try {
    f();
  } catch (const CertificateException& e) {
    return e.code();
  }
  return 0;
}

std::string subjectCn(const Certificate& c) {
  char out[333];
  int32_t size = sizeof out;
  return c.subjectAttribute("CN", out, &size) ? std::string(out) : "<none>";
}

TEST(CertificateConstruction, ChecksTheLengthAgainstTheElement) {
  const Bytes bytes = readCertFile("ca-rsa.der");
  ASSERT_GT(bytes.size(), 100u);
  const int32_t size = static_cast<int32_t>(bytes.size());
  EXPECT_EQ(Certificate(bytes.data(), 0).der().size(), size);
  EXPECT_EQ(codeThrownBy([&] { Certificate(bytes.data(), size - 1); }), CERT_ERR_DATA);
  Bytes longer(bytes);
  longer.push_back(0);
  EXPECT_EQ(codeThrownBy([&] { Certificate(longer.data(), size + 1); }), CERT_ERR_DATA);
  EXPECT_EQ(codeThrownBy([&] { Certificate(bytes.data(), 8); }), CERT_ERR_DATA);
  EXPECT_EQ(codeThrownBy([&] { Certificate(bytes.data(), -5); }), CERT_ERR_DATA);
  EXPECT_EQ(codeThrownBy([&] { Certificate(nullptr, 100); }), CERT_ERR_DATA);
  const Bytes tiny = hex("30 03 02 01 05");
  EXPECT_EQ(codeThrownBy([&] { Certificate(tiny.data(), 0); }), CERT_ERR_DATA);
  const Bytes nine = hex("30 07 30 05 02 01 05 05 00");  // no public key where the path expects it
  EXPECT_EQ(codeThrownBy([&] { Certificate(nine.data(), 9); }), CERT_ERR_DATA);
  const Bytes indefinite = hex("30 80 30 05 02 01 05 05 00 00 00");
  EXPECT_EQ(codeThrownBy([&] { Certificate(indefinite.data(), 0); }), CERT_ERR_DATA);
  EXPECT_EQ(codeThrownBy([&] { Certificate(indefinite.data(), 11); }), CERT_ERR_DATA);
}

class TempFile {
 public:
  TempFile(const char* name, const Bytes& bytes) : path_(std::string(name) + ".tmp") {
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    if (f) {
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
  }
  ~TempFile() { std::remove(path_.c_str()); }
  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};

TEST(CertificateConstruction, ReadsFilesOfOneElement) {
  const Certificate fromFile(certPath("leaf-ec-utf8.der").c_str());
  EXPECT_TRUE(fromFile.equals(load("leaf-ec-utf8.der")));
  EXPECT_EQ(codeThrownBy([] { Certificate("no-such-file.der"); }), CERT_ERR_OPEN);

  Bytes trailing = readCertFile("ca-rsa.der");
  trailing.push_back(0);
  const TempFile withTrailing("cert-trailing", trailing);
  EXPECT_EQ(codeThrownBy([&] { Certificate(withTrailing.path()); }), CERT_ERR_DATA);
  const TempFile nine("cert-nine", hex("30 07 30 05 02 01 05 05 00"));
  EXPECT_EQ(codeThrownBy([&] { Certificate(nine.path()); }), CERT_ERR_DATA);
  const TempFile eight("cert-eight", hex("30 06 30 04 02 02 01 05"));
  EXPECT_EQ(codeThrownBy([&] { Certificate(eight.path()); }), CERT_ERR_DATA);
  // 60000 bytes is too large even though it holds one element.
  Bytes big = cat({hex("30 82 EA 5C"), Bytes(60000 - 4, 0)});
  const TempFile tooBig("cert-big", big);
  EXPECT_EQ(codeThrownBy([&] { Certificate(tooBig.path()); }), CERT_ERR_DATA);
  const TempFile pem("cert-pem", text("-----BEGIN CERTIFICATE-----\nMIIB\n-----END CERTIFICATE-----\n"));
  EXPECT_EQ(codeThrownBy([&] { Certificate(pem.path()); }), CERT_ERR_DATA);
}

TEST(CertificateIdentity, ClonesShareTheBytes) {
  const Certificate ca = load("ca-rsa.der");
  std::unique_ptr<Certificate> copy(ca.clone());
  EXPECT_EQ(copy->der().data(), ca.der().data());
  EXPECT_TRUE(copy->equals(ca));
  EXPECT_FALSE(ca.equals(load("leaf-ec-utf8.der")));
  EXPECT_EQ(subjectCn(*copy), "Qelt Test CA");
}

TEST(CertificateFields, ReadsTheCaCertificate) {
  const Certificate ca = load("ca-rsa.der");
  EXPECT_EQ(hexOf(ca.serialNumber()), "020200c8");
  EXPECT_EQ(subjectCn(ca), "Qelt Test CA");
  EXPECT_TRUE(ca.issuer().equals(ca.subject()));
  EXPECT_TRUE(ca.isSelfIssued());
  EXPECT_EQ(ca.notBefore(), 1704067200);
  EXPECT_EQ(ca.notAfter(), 2335219200);
  EXPECT_TRUE(ca.isValidAt(1704067200));
  EXPECT_TRUE(ca.isValidAt(2335219200));
  EXPECT_FALSE(ca.isValidAt(1704067199));
  EXPECT_FALSE(ca.isValidAt(2335219201));
  EXPECT_TRUE(ca.isValidAt(0));  // now
  EXPECT_TRUE(ca.isCA());
  EXPECT_EQ(ca.pathLength(), 1);
  EXPECT_EQ(ca.keyUsage(), 0x06);
  EXPECT_EQ(ca.subjectKeyIdentifier().size(), 20);
  EXPECT_TRUE(ca.subjectKeyIdentifier().equals(ca.authorityKeyIdentifier()));
  EXPECT_EQ(str(ca.publicKeyAlgorithmOid()), "1.2.840.113549.1.1.1");
  EXPECT_EQ(hexOf(ca.publicKeyParameters()), "0500");
  EXPECT_EQ(ca.publicKey().data()[0], 0x30);  // RSAPublicKey SEQUENCE
  EXPECT_EQ(str(ca.signatureAlgorithmOid()), "1.2.840.113549.1.1.11");
  EXPECT_TRUE(ca.signatureParameters().isEmpty());  // NULL
  EXPECT_EQ(hexOf(ca.signatureAlgorithm()), "300d06092a864886f70d01010b0500");
  const uint8_t* signature = nullptr;
  int32_t signatureLength = 0;
  ca.signatureValue(&signature, &signatureLength);
  EXPECT_EQ(signatureLength, 256);
  const uint8_t* tbs = nullptr;
  int32_t tbsLength = 0;
  ca.toBeSigned(&tbs, &tbsLength);
  EXPECT_EQ(tbs, ca.der().data() + 4);
  EXPECT_EQ(ca.publicKeyInfo().size(), 294);
  bool critical = false;
  EXPECT_EQ(hexOf(ca.extension("2.5.29.15", &critical)), "03020106");
  EXPECT_TRUE(critical);
  EXPECT_TRUE(ca.hasExtension("2.5.29.19"));
  EXPECT_FALSE(ca.hasExtension("2.5.29.17"));
  EXPECT_FALSE(ca.hasUnlistedCriticalExtension("2.5.29.15,2.5.29.19"));
  EXPECT_TRUE(ca.hasUnlistedCriticalExtension("2.5.29.15"));
  EXPECT_TRUE(ca.allowsExtendedKeyUsage("1.3.6.1.5.5.7.3.1"));  // no EKU at all
}

TEST(CertificateFields, AttributeLookupByNameOrOid) {
  const Certificate leaf = load("leaf-ec-utf8.der");
  char out[333];
  int32_t size = sizeof out;
  ASSERT_TRUE(leaf.subjectAttribute("CN", out, &size));
  EXPECT_STREQ(out, kOlenaUtf8);
  EXPECT_EQ(size, static_cast<int32_t>(sizeof kOlenaUtf8));
  size = sizeof out;
  ASSERT_TRUE(leaf.subjectAttribute("2.5.4.3", out, &size));
  EXPECT_STREQ(out, kOlenaUtf8);
  size = sizeof out;
  EXPECT_FALSE(leaf.subjectAttribute("cn", out, &size));
  EXPECT_FALSE(leaf.subjectAttribute("XX", out, &size));
  EXPECT_FALSE(leaf.subjectAttribute("2.5.4.", out, &size));
  EXPECT_FALSE(leaf.subjectAttribute(nullptr, out, &size));
  size = sizeof out;
  ASSERT_TRUE(leaf.subjectAttribute("E", out, &size));
  EXPECT_STREQ(out, "olena@example.com");
  size = sizeof out;
  ASSERT_TRUE(leaf.subjectAttribute("C", out, &size));
  EXPECT_STREQ(out, "UA");
  size = sizeof out;
  ASSERT_TRUE(leaf.issuerAttribute("O", out, &size));
  EXPECT_STREQ(out, "Qelt");
  size = sizeof out;
  EXPECT_FALSE(leaf.subjectAttribute("OU", out, &size));
  EXPECT_FALSE(leaf.subjectAttribute((std::string("1.2.") + std::string(74, '3')).c_str(), out, &size));
  // Too small a buffer: false, the needed size reported.
  size = 5;
  EXPECT_FALSE(leaf.subjectAttribute("CN", out, &size));
  EXPECT_EQ(size, static_cast<int32_t>(sizeof kOlenaUtf8));
}

TEST(CertificateFields, ReadsTheLeafExtensions) {
  const Certificate leaf = load("leaf-ec-utf8.der");
  const Certificate ca = load("ca-rsa.der");
  EXPECT_EQ(hexOf(leaf.serialNumber()), "02147a1b2c3d4e5f60718293a4b5c6d7e8f901234567");
  EXPECT_EQ(leaf.notBefore(), 1709294400);
  EXPECT_EQ(leaf.notAfter(), 1772366400);
  EXPECT_FALSE(leaf.isCA());
  EXPECT_EQ(leaf.pathLength(), 0x7FFFFFFF);  // CA:FALSE, nothing encoded
  EXPECT_EQ(leaf.keyUsage(), 0xC0);
  EXPECT_EQ(str(leaf.emailAddress()), "olena@example.com");
  EXPECT_EQ(str(leaf.crlDistributionPoint(0)), "http://crl1.example.com/ca.crl|ldap://crl2.example.com/cn=CA");
  EXPECT_TRUE(leaf.crlDistributionPoint(1).isEmpty());
  EXPECT_TRUE(leaf.crlDistributionPoint(-1).isEmpty());
  EXPECT_TRUE(leaf.freshestCrl(0).isEmpty());
  EXPECT_EQ(str(leaf.ocspUrl(0)), "http://ocsp1.example.com/");
  EXPECT_EQ(str(leaf.ocspUrl(1)), "http://ocsp2.example.com/");
  EXPECT_TRUE(leaf.ocspUrl(2).isEmpty());
  EXPECT_TRUE(leaf.authorityKeyIdentifier().equals(ca.subjectKeyIdentifier()));
  EXPECT_FALSE(leaf.subjectKeyIdentifier().equals(ca.subjectKeyIdentifier()));
  EXPECT_EQ(str(leaf.publicKeyAlgorithmOid()), "1.2.840.10045.2.1");
  EXPECT_EQ(hexOf(leaf.publicKeyParameters()), "06082a8648ce3d030107");
  EXPECT_TRUE(ca.isIssuerOf(leaf));
  EXPECT_FALSE(leaf.isIssuerOf(ca));
  EXPECT_FALSE(leaf.isSelfIssued());
}

TEST(CertificateFields, ExtendedKeyUsage) {
  const Certificate leaf = load("leaf-ec-utf8.der");  // critical: clientAuth, emailProtection
  EXPECT_TRUE(leaf.hasExtendedKeyUsage("1.3.6.1.5.5.7.3.2"));
  EXPECT_TRUE(leaf.hasExtendedKeyUsage("1.3.6.1.5.5.7.3.4"));
  EXPECT_FALSE(leaf.hasExtendedKeyUsage("1.3.6.1.5.5.7.3.1"));
  EXPECT_FALSE(leaf.hasExtendedKeyUsage("not an oid"));
  EXPECT_TRUE(leaf.allowsExtendedKeyUsage("1.3.6.1.5.5.7.3.2"));
  EXPECT_FALSE(leaf.allowsExtendedKeyUsage("1.3.6.1.5.5.7.3.1"));
  EXPECT_FALSE(leaf.allowsExtendedKeyUsage(""));
  EXPECT_FALSE(leaf.allowsExtendedKeyUsage(nullptr));
  EXPECT_FALSE(leaf.hasCriticalExtendedKeyUsageOutside("1.3.6.1.5.5.7.3.2,1.3.6.1.5.5.7.3.4"));
  EXPECT_TRUE(leaf.hasCriticalExtendedKeyUsageOutside("1.3.6.1.5.5.7.3.2"));
  EXPECT_TRUE(leaf.hasUnlistedCriticalExtension("2.5.29.15"));
  EXPECT_FALSE(leaf.hasUnlistedCriticalExtension("2.5.29.15,2.5.29.37"));

  const Certificate points = load("two-points.der");  // EKU serverAuth, not critical
  EXPECT_TRUE(points.allowsExtendedKeyUsage("1.3.6.1.5.5.7.3.2"));
  EXPECT_TRUE(points.hasExtendedKeyUsage("1.3.6.1.5.5.7.3.1"));
  EXPECT_FALSE(points.hasCriticalExtendedKeyUsageOutside("2.5"));
}

TEST(CertificateFields, BmpStringNameAndSubjectEmail) {
  const Certificate bmp = load("bmp-cn.der");
  EXPECT_EQ(subjectCn(bmp), kTarasUtf8);
  // The SAN starts with a dNSName, so the address comes from the subject.
  EXPECT_EQ(str(bmp.emailAddress()), "taras@example.com");
  EXPECT_EQ(hexOf(bmp.serialNumber()), "0202" "0100");
  EXPECT_EQ(bmp.keyUsage(), 0x80);
  EXPECT_EQ(bmp.pathLength(), -1);
}

TEST(CertificateFields, TwoDistributionPointsAndLongKeyUsage) {
  const Certificate c = load("two-points.der");
  EXPECT_EQ(str(c.crlDistributionPoint(0)), "http://a.example.com/a.crl");
  EXPECT_EQ(str(c.crlDistributionPoint(1)), "http://b.example.com/b.crl");
  EXPECT_TRUE(c.crlDistributionPoint(2).isEmpty());
  EXPECT_EQ(c.keyUsage(), 0);  // decipherOnly takes a second byte
  EXPECT_EQ(hexOf(c.extension("2.5.29.15", nullptr)), "0303070880");
  EXPECT_TRUE(c.isCA());
  EXPECT_EQ(c.pathLength(), 0x7FFFFFFF);
  EXPECT_EQ(hexOf(c.serialNumber()), "020200ff");
}

TEST(CertificateFields, VersionOneHasNoExtensions) {
  for (const char* name : {"v1-2050.der", "v1-1965.der"}) {
    const Certificate v1 = load(name);
    EXPECT_EQ(v1.keyUsage(), 0);
    EXPECT_EQ(v1.pathLength(), -1);
    EXPECT_FALSE(v1.isCA());
    EXPECT_TRUE(v1.subjectKeyIdentifier().isEmpty());
    EXPECT_TRUE(v1.authorityKeyIdentifier().isEmpty());
    EXPECT_TRUE(v1.crlDistributionPoint(0).isEmpty());
    EXPECT_TRUE(v1.ocspUrl(0).isEmpty());
    EXPECT_FALSE(v1.hasExtension("2.5.29.15"));
    EXPECT_FALSE(v1.hasExtendedKeyUsage("1.3.6.1.5.5.7.3.2"));
    EXPECT_TRUE(v1.allowsExtendedKeyUsage(nullptr));
    EXPECT_FALSE(v1.hasUnlistedCriticalExtension(""));
    EXPECT_TRUE(v1.isSelfIssued());
    EXPECT_TRUE(v1.signatureParameters().isEmpty());
    EXPECT_EQ(str(v1.signatureAlgorithmOid()), "1.2.840.10045.4.3.2");
    try {
      v1.emailAddress();
      ADD_FAILURE() << "no exception";
    } catch (const CertificateDataNotFoundException& e) {
      EXPECT_EQ(e.code(), 0x70000004);
      EXPECT_STREQ(e.message(), "");
    }
  }
  EXPECT_EQ(load("v1-2050.der").notBefore(), 2524607999);
  EXPECT_EQ(load("v1-2050.der").notAfter(), 2524608000);
  EXPECT_EQ(load("v1-1965.der").notBefore(), -143465400);
  EXPECT_EQ(load("v1-1965.der").notAfter(), -1);
  EXPECT_EQ(subjectCn(load("v1-1965.der")), "Before Epoch");
}

TEST(CertificateFields, MatchesSignerIdentifiers) {
  const Certificate leaf = load("leaf-ec-utf8.der");
  const ByteBuffer issuer = leaf.issuer();
  const ByteBuffer serial = leaf.serialNumber();
  const Bytes issuerAndSerial =
      tlv(0x30, {Bytes(issuer.data(), issuer.data() + issuer.size()), Bytes(serial.data(), serial.data() + serial.size())});
  EXPECT_TRUE(leaf.matchesIdentifier(issuerAndSerial.data(), static_cast<int32_t>(issuerAndSerial.size())));
  EXPECT_FALSE(load("ca-rsa.der").matchesIdentifier(issuerAndSerial.data(), static_cast<int32_t>(issuerAndSerial.size())));
  const ByteBuffer ski = leaf.subjectKeyIdentifier();
  const Bytes keyId = tlv(0x04, Bytes(ski.data(), ski.data() + ski.size()));
  EXPECT_TRUE(leaf.matchesIdentifier(keyId.data(), static_cast<int32_t>(keyId.size())));
  EXPECT_FALSE(leaf.matchesIdentifier(keyId.data(), static_cast<int32_t>(keyId.size()) - 1));  // cut off
  EXPECT_FALSE(leaf.matchesIdentifier(hex("04 00").data(), 2));
  EXPECT_FALSE(leaf.matchesIdentifier(hex("02 01 05").data(), 3));
  EXPECT_FALSE(leaf.matchesIdentifier(nullptr, 0));
}

// Extensions built by hand for cases openssl will not produce.
Certificate withExtensions(std::vector<Bytes> extensions) {
  CertificateParts parts;
  parts.extensions = std::move(extensions);
  const Bytes der = makeCertificate(parts);
  return Certificate(der.data(), static_cast<int32_t>(der.size()));
}

TEST(CertificateCrafted, BasicConstraintsForms) {
  const Bytes bc = hex("55 1D 13");
  EXPECT_EQ(withExtensions({extension(bc, tlv(0x30, {hex("01 01 FF")}))}).pathLength(), 0x7FFFFFFF);
  EXPECT_EQ(withExtensions({extension(bc, tlv(0x30, {hex("02 01 03")}))}).pathLength(), 0x7FFFFFFF);  // cA omitted
  EXPECT_FALSE(withExtensions({extension(bc, tlv(0x30, {hex("02 01 03")}))}).isCA());
  EXPECT_EQ(withExtensions({extension(bc, tlv(0x30, {hex("01 01 FF 02 01 00")}))}).pathLength(), 0);
  // An empty BOOLEAN is no cA: the byte after it is not read as the flag.
  const Certificate empty = withExtensions({extension(bc, tlv(0x30, {hex("01 00 02 01 05")}))});
  EXPECT_FALSE(empty.isCA());
  EXPECT_EQ(empty.pathLength(), 5);
}

TEST(CertificateCrafted, SubjectAltNameMustStartWithTheAddress) {
  const Bytes san = hex("55 1D 11");
  const Certificate first = withExtensions({extension(san, tlv(0x30, {tlv(0x81, text("a@b")), tlv(0x82, text("b"))}))});
  EXPECT_EQ(str(first.emailAddress()), "a@b");
  const Certificate second = withExtensions({extension(san, tlv(0x30, {tlv(0x82, text("b")), tlv(0x81, text("a@b"))}))});
  EXPECT_THROW(second.emailAddress(), CertificateDataNotFoundException);
}

TEST(CertificateCrafted, AccessDescriptionsNeedOcspAndAUri) {
  const Bytes aia = hex("2B 06 01 05 05 07 01 01");
  const Bytes ocsp = tlv(0x06, hex("2B 06 01 05 05 07 30 01"));
  const Bytes caIssuers = tlv(0x06, hex("2B 06 01 05 05 07 30 02"));
  const Certificate c = withExtensions({extension(
      aia, tlv(0x30, {tlv(0x30, {caIssuers, tlv(0x86, text("http://issuer"))}),
                      tlv(0x30, {ocsp, tlv(0x82, text("dns.only"))}),  // not a URI: not counted
                      tlv(0x30, {ocsp, tlv(0x86, text("http://o1"))}),
                      tlv(0x30, {tlv(0x06, hex("2B 06 01 05 05 07 30 01 01")), tlv(0x86, text("http://longer"))}),
                      tlv(0x30, {ocsp, tlv(0x86, text("http://o2"))})}))});
  EXPECT_EQ(str(c.ocspUrl(0)), "http://o1");
  EXPECT_EQ(str(c.ocspUrl(1)), "http://o2");
  EXPECT_TRUE(c.ocspUrl(2).isEmpty());
}

TEST(CertificateCrafted, DistributionPointsWithoutFullNames) {
  const Bytes dp = hex("55 1D 1F");
  const Bytes relative = tlv(0x30, {tlv(0xA0, {tlv(0xA1, {rdn(hex("55 04 03"), 0x0C, text("x"))})})});
  const Bytes full = tlv(0x30, {tlv(0xA0, {tlv(0xA0, {tlv(0x86, text("u1")), tlv(0xA4, {commonName("d")}),
                                                      tlv(0x86, text("u2"))})})});
  const Certificate c = withExtensions({extension(dp, tlv(0x30, {relative, full}))});
  EXPECT_TRUE(c.crlDistributionPoint(0).isEmpty());
  EXPECT_EQ(str(c.crlDistributionPoint(1)), "u1|u2");
}

TEST(CertificateCrafted, IndefiniteChildrenEndLookupsInsteadOfLooping) {
  // Extensions whose elements have no usable length: every lookup ends.
  CertificateParts parts;
  parts.extensions = {extension(hex("55 1D 0E"), tlv(0x04, hex("01 02")))};
  Bytes der = makeCertificate(parts);
  // Find the SubjectKeyIdentifier Extension (30 0B 06 03 55 1D 0E) and make it indefinite.
  const Bytes marker = hex("30 0B 06 03 55 1D 0E");
  auto at = std::search(der.begin(), der.end(), marker.begin(), marker.end());
  ASSERT_NE(at, der.end());
  at[1] = 0x80;
  const Certificate c(der.data(), static_cast<int32_t>(der.size()));
  EXPECT_TRUE(c.subjectKeyIdentifier().isEmpty());
  EXPECT_FALSE(c.hasUnlistedCriticalExtension("1.2"));
  at[1] = 0x85;
  const Certificate d(der.data(), static_cast<int32_t>(der.size()));
  EXPECT_TRUE(d.subjectKeyIdentifier().isEmpty());
}

// Every getter, with anything it throws swallowed; the sanitizers report any
// read outside the certificate's bytes.
void touchEverything(const Certificate& c) {
  auto guard = [](auto f) {
    try {
      f();
    } catch (const DsException&) {
    }
  };
  char out[64];
  int32_t size = sizeof out;
  c.subjectAttribute("CN", out, &size);
  size = sizeof out;
  c.issuerAttribute("E", out, &size);
  guard([&] { c.serialNumber(); });
  guard([&] { c.issuer(); });
  guard([&] { c.subject(); });
  guard([&] { c.notBefore(); });
  guard([&] { c.notAfter(); });
  guard([&] { c.isValidAt(1); });
  guard([&] { c.isSelfIssued(); });
  guard([&] { c.publicKeyInfo(); });
  guard([&] { c.publicKeyAlgorithm(); });
  guard([&] { c.publicKeyAlgorithmOid(); });
  guard([&] { c.publicKeyParameters(); });
  guard([&] { c.publicKey(); });
  guard([&] { c.signatureAlgorithm(); });
  guard([&] { c.signatureAlgorithmOid(); });
  guard([&] { c.signatureParameters(); });
  guard([&] { c.emailAddress(); });
  c.keyUsage();
  c.isCA();
  c.pathLength();
  c.subjectKeyIdentifier();
  c.authorityKeyIdentifier();
  c.crlDistributionPoint(0);
  c.crlDistributionPoint(1);
  c.ocspUrl(0);
  c.hasExtendedKeyUsage("1.3.6.1.5.5.7.3.2");
  c.hasCriticalExtendedKeyUsageOutside("1.3.6.1.5.5.7.3.2");
  c.hasUnlistedCriticalExtension("2.5.29.15");
}

TEST(CertificateCrafted, LengthEditsNeverLeadOutsideTheBytes) {
  // Every byte of every test certificate set to a few telling values.
  const uint8_t values[] = {0x00, 0x01, 0x7F, 0x80, 0x81, 0x84, 0x85, 0xFF};
  int constructed = 0;
  for (const char* name : kCertFiles) {
    const Bytes original = readCertFile(name);
    for (size_t i = 0; i < original.size(); ++i) {
      for (uint8_t v : values) {
        Bytes mutated(original);
        mutated[i] = v;
        try {
          const Certificate c(mutated.data(), static_cast<int32_t>(mutated.size()));
          touchEverything(c);
          ++constructed;
        } catch (const CertificateException&) {
        }
      }
    }
  }
  EXPECT_GT(constructed, 1000);
}

}  // namespace
