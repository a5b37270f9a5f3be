// UTCTime and GeneralizedTime content to seconds since 1970-01-01 UTC.
#pragma once

#include <cstdint>
#include <ctime>

#include "der_path.h"

// Reads the time content the path selects: 14 or more characters as
// YYYYMMDDHHMMSS, fewer as YYMMDDHHMMSS (YY below 50 in 20YY, else 19YY).
// Fractions and zone designators are not read; the time is taken as UTC.
// Content longer than 24 bytes gives DER_ERR_SPACE, content shorter than its
// form needs DER_ERR_BOUNDS.
int32_t derScanTime(const uint8_t* element, const uint8_t* limit, const char* format,
                    int64_t* out);
int32_t derTimeValue(const DerSelected& selected, int64_t* out);

// Seconds since 1970-01-01 00:00:00 UTC of a broken-down time meant as UTC,
// by calendar arithmetic alone: independent of the process's time zone,
// negative before 1970. Fields out of their range carry over (month 12 is
// January of the next year, second 60 the next minute), as with timegm.
int64_t derUtcToTime(const std::tm& time);
