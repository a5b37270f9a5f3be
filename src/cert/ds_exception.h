// The exception hierarchy of the certificate and token code. Thrown and
// caught by value; a message (static text, never owned) and a signed code.
#pragma once

#include <cstdint>

class DsException {
 public:
  explicit DsException(int32_t code) : message_(""), code_(code) {}
  DsException(int32_t code, const char* message) : message_(message ? message : ""), code_(code) {}

  int32_t code() const { return code_; }
  const char* message() const { return message_; }

 private:
  const char* message_;
  int32_t code_;
};

class CertificateException : public DsException {
 public:
  explicit CertificateException(int32_t code) : DsException(code) {}
  CertificateException(int32_t code, const char* message) : DsException(code, message) {}
};

class CertificateDataNotFoundException : public CertificateException {
 public:
  explicit CertificateDataNotFoundException(int32_t code) : CertificateException(code) {}
  CertificateDataNotFoundException(int32_t code, const char* message)
      : CertificateException(code, message) {}
};

// Codes thrown by Certificate.
enum : int32_t {
  CERT_ERR_OPEN = -3,
  CERT_ERR_DATA = -9,
  CERT_ERR_NOT_FOUND = 0x70000004,
};
