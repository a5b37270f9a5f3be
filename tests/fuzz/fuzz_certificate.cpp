// Certificate from any bytes, then every member.
#include <cstdint>
#include <initializer_list>
#include <memory>

#include "certificate.h"

namespace {

template <typename F>
void guarded(F f) {
  try {
    f();
  } catch (const DsException&) {
  }
}

void readEverything(const Certificate& c, const uint8_t* extra, int32_t extraSize) {
  char text[333];
  int32_t size = sizeof text;
  for (const char* name : {"CN", "O", "E", "DC", "2.5.4.3", "STREET", "x"}) {
    size = sizeof text;
    c.subjectAttribute(name, text, &size);
    size = 3;
    c.issuerAttribute(name, text, &size);
  }
  size = 0;
  c.subjectAttribute("CN", nullptr, &size);
  guarded([&] { c.serialNumber(); });
  guarded([&] { c.issuer(); });
  guarded([&] { c.subject(); });
  guarded([&] { c.notBefore(); });
  guarded([&] { c.notAfter(); });
  guarded([&] { c.isValidAt(1700000000); });
  guarded([&] { c.isSelfIssued(); });
  guarded([&] { c.matchesIdentifier(extra, extraSize); });
  guarded([&] { c.publicKeyInfo(); });
  guarded([&] { c.publicKeyAlgorithm(); });
  guarded([&] { c.publicKeyAlgorithmOid(); });
  guarded([&] { c.publicKeyParameters(); });
  guarded([&] { c.publicKey(); });
  guarded([&] { c.signatureAlgorithm(); });
  guarded([&] { c.signatureAlgorithmOid(); });
  guarded([&] { c.signatureParameters(); });
  guarded([&] {
    const uint8_t* p = nullptr;
    int32_t n = 0;
    c.toBeSigned(&p, &n);
    c.signatureValue(&p, &n);
  });
  guarded([&] { c.emailAddress(); });
  bool critical = false;
  const uint8_t* value = nullptr;
  int32_t length = 0;
  c.findExtension("2.5.29.15", &value, &length, &critical);
  c.extension("2.5.29.19", &critical);
  c.hasExtension("1.3.6.1.5.5.7.1.1");
  c.keyUsage();
  c.hasExtendedKeyUsage("1.3.6.1.5.5.7.3.2");
  c.allowsExtendedKeyUsage("1.3.6.1.5.5.7.3.4");
  c.allowsExtendedKeyUsage(nullptr);
  c.hasCriticalExtendedKeyUsageOutside("1.3.6.1.5.5.7.3.2");
  c.hasUnlistedCriticalExtension("2.5.29.15,2.5.29.19");
  c.subjectKeyIdentifier();
  c.authorityKeyIdentifier();
  for (int32_t i = 0; i < 3; ++i) {
    c.crlDistributionPoint(i);
    c.freshestCrl(i);
    c.ocspUrl(i);
  }
  c.isCA();
  c.pathLength();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  // Length 0 would mean "take it from the header", which needs the data to
  // hold the whole element: not so for fuzz input.
  if (size == 0 || size > 60000) return 0;
  // The certificate is the first element; whatever follows serves as a
  // signer identifier to match.
  int32_t length = static_cast<int32_t>(size);
  std::unique_ptr<Certificate> c;
  try {
    c.reset(new Certificate(bytes, length));
  } catch (const CertificateException&) {
    if (size < 2) return 0;
    const int32_t head = bytes[1] < 0x80 ? bytes[1] + 2 : 0;
    if (head <= 8 || head >= length) return 0;
    try {
      c.reset(new Certificate(bytes, head));
    } catch (const CertificateException&) {
      return 0;
    }
    length = head;
  }
  readEverything(*c, bytes + length, static_cast<int32_t>(size) - length);
  std::unique_ptr<Certificate> copy(c->clone());
  if (!copy->equals(*c)) __builtin_trap();
  c->isIssuerOf(*copy);
  return 0;
}
