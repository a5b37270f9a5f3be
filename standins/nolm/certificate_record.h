// The 80-byte certificate record of NolmCrtFF and NolmCrtFN (layout: README.md).
#pragma once

#include <cstddef>

#include "config.h"

constexpr std::size_t kCertificateRecordSize = 80;

// Fills the record for the certificate at `index` (0-based) of the list.
void fillCertificateRecord(unsigned char* record, const CertificateEntry& entry,
                           std::size_t index);
