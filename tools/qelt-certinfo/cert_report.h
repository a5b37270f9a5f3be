// Everything qelt-certinfo prints about one certificate file, read through
// the plug-in's own Certificate. A getter that throws leaves its field empty.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CertReport {
  std::string file;
  bool ok = false;
  int32_t code = 0;  // the exception's code when construction failed

  std::optional<std::string> serial, issuer, subject;  // whole DER elements
  std::optional<std::string> issuerCn, subjectCn;      // attribute bytes
  std::optional<int64_t> notBefore, notAfter;
  std::optional<std::string> publicKeyAlgorithm, signatureAlgorithm;  // dotted OIDs
  std::optional<int> keyUsage;
  std::optional<bool> isCa;
  std::optional<int32_t> pathLength;
  std::optional<std::string> subjectKeyId, authorityKeyId;
  std::optional<std::vector<std::string>> crl, ocsp;
  std::optional<std::string> email;
  std::optional<bool> selfIssued;
};

CertReport readCertReport(const char* path);
