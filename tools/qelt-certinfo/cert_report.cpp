#include "cert_report.h"

#include "certificate.h"

namespace {

std::string bytesOf(const ByteBuffer& buffer) {
  return std::string(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(buffer.size()));
}

// The getter's result, or nothing when it throws.
template <typename Getter>
auto attempt(Getter getter) -> std::optional<decltype(getter())> {
  try {
    return getter();
  } catch (...) {
    return std::nullopt;
  }
}

// Asks for the size first, then reads into a buffer of exactly that size.
std::optional<std::string> attribute(const Certificate& c, bool ofIssuer, const char* name) {
  auto read = [&](char* output, int32_t* size) {
    return ofIssuer ? c.issuerAttribute(name, output, size) : c.subjectAttribute(name, output, size);
  };
  int32_t size = 0;
  if (!read(nullptr, &size) || size < 1) return std::nullopt;
  std::string text(static_cast<size_t>(size), '\0');
  if (!read(&text[0], &size)) return std::nullopt;
  text.resize(static_cast<size_t>(size - 1));
  return text;
}

template <typename Indexed>
std::vector<std::string> untilEmpty(Indexed at) {
  std::vector<std::string> items;
  for (int32_t i = 0; i < INT32_MAX; ++i) {
    const ByteBuffer item = at(i);
    if (item.isEmpty()) break;
    items.push_back(bytesOf(item));
  }
  return items;
}

}  // namespace

CertReport readCertReport(const char* path) {
  CertReport r;
  r.file = path;
  std::optional<Certificate> loaded;
  try {
    loaded.emplace(path);
  } catch (const DsException& e) {
    r.code = e.code();
    return r;
  } catch (...) {
    r.code = CERT_ERR_DATA;
    return r;
  }
  const Certificate& c = *loaded;
  r.ok = true;
  r.serial = attempt([&] { return bytesOf(c.serialNumber()); });
  r.issuer = attempt([&] { return bytesOf(c.issuer()); });
  r.subject = attempt([&] { return bytesOf(c.subject()); });
  r.issuerCn = attribute(c, true, "CN");
  r.subjectCn = attribute(c, false, "CN");
  r.notBefore = attempt([&] { return c.notBefore(); });
  r.notAfter = attempt([&] { return c.notAfter(); });
  r.publicKeyAlgorithm = attempt([&] { return bytesOf(c.publicKeyAlgorithmOid()); });
  r.signatureAlgorithm = attempt([&] { return bytesOf(c.signatureAlgorithmOid()); });
  r.keyUsage = attempt([&] { return static_cast<int>(c.keyUsage()); });
  r.isCa = attempt([&] { return c.isCA(); });
  r.pathLength = attempt([&] { return c.pathLength(); });
  r.subjectKeyId = attempt([&] { return bytesOf(c.subjectKeyIdentifier()); });
  r.authorityKeyId = attempt([&] { return bytesOf(c.authorityKeyIdentifier()); });
  r.crl = attempt([&] { return untilEmpty([&](int32_t i) { return c.crlDistributionPoint(i); }); });
  r.ocsp = attempt([&] { return untilEmpty([&](int32_t i) { return c.ocspUrl(i); }); });
  r.email = attempt([&] { return bytesOf(c.emailAddress()); });
  r.selfIssued = attempt([&] { return c.isSelfIssued(); });
  return r;
}
