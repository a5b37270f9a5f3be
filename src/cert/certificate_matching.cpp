// The Certificate members that tell whether another certificate, or an
// identifier, names this one.
#include <cstring>

#include "certificate.h"
#include "der_path.h"
#include "der_scanner.h"

namespace {

bool sameBytes(const DerElement& e, const uint8_t* data, size_t length) {
  return e.size() == length && std::memcmp(e.start, data, length) == 0;
}

}  // namespace

bool Certificate::isIssuerOf(const Certificate& other) const {
  const DerElement issuerName = other.field(other.issuer_);
  return sameBytes(field(subject_), issuerName.start, issuerName.size());
}

bool Certificate::matchesIdentifier(const uint8_t* id, int32_t size) const {
  if (!id || size < 2) return false;
  DerReader in(id, static_cast<size_t>(size));
  DerElement e;
  uint8_t tag;
  in.peekTag(&tag);
  DerSelected serial;
  DerSelected name;
  if (tag == 0x30)
    return derSelect(id, in.end(), "Ssi", &serial) == DER_OK && derSelect(id, in.end(), "Ss", &name) == DER_OK &&
           sameBytes(field(serial_), serial.data, static_cast<size_t>(serial.length)) &&
           sameBytes(field(issuer_), name.data, static_cast<size_t>(name.length));
  if (tag == 0x04 && in.getElement(&e) && e.headerSize == 2 && e.definite && e.length > 0)
    return subjectKeyIdentifier().equals(e.content(), static_cast<int32_t>(e.length));
  return false;
}
