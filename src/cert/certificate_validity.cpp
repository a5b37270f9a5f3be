// The Certificate members that read the validity period.
#include <ctime>

#include "certificate.h"
#include "der_path.h"
#include "der_scanner.h"
#include "der_time.h"

int64_t Certificate::validityTime(const char* path) const {
  DerReader at = DerReader::between(validity_, tbsEnd_);
  DerSelected time;
  int64_t seconds = 0;
  if (derPathWalk(&at, path, &time) != DER_OK || derTimeValue(time, &seconds) != DER_OK)
    throw CertificateException(CERT_ERR_DATA);
  return seconds;
}

int64_t Certificate::notBefore() const { return validityTime("ST"); }

int64_t Certificate::notAfter() const { return validityTime("StT"); }

bool Certificate::isValidAt(int64_t time) const {
  if (time == 0) time = static_cast<int64_t>(std::time(nullptr));
  if (time < notBefore()) return false;
  return time <= notAfter();
}
