// The two ways qelt-certinfo prints a report.
#pragma once

#include <cstdio>

#include "cert_report.h"

// One line of JSON (the --json contract; see docs/certificates.md).
void printJson(const CertReport& report, std::FILE* out);
// Readable text, several lines.
void printText(const CertReport& report, std::FILE* out);
