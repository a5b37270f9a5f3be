#include "der_time.h"

#include <cstring>

#include "der_scanner.h"

namespace {

constexpr int32_t kMaxTimeContent = 24;

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days from 1970-01-01 to the first of the given month (1-12) of the
// proleptic Gregorian calendar.
int64_t daysToMonthStart(int64_t year, int64_t month) {
  year -= month <= 2;
  const int64_t era = floorDiv(year, 400);
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

int64_t derUtcToTime(const std::tm& time) {
  const int64_t months = int64_t{time.tm_mon};
  const int64_t year = int64_t{time.tm_year} + 1900 + floorDiv(months, 12);
  const int64_t month = months - floorDiv(months, 12) * 12 + 1;
  const int64_t days = daysToMonthStart(year, month) + time.tm_mday - 1;
  return days * 86400 + int64_t{time.tm_hour} * 3600 + int64_t{time.tm_min} * 60 + time.tm_sec;
}

int32_t derScanTime(const uint8_t* element, const uint8_t* limit, const char* format,
                    int64_t* out) {
  DerSelected selected;
  const int32_t status = derSelect(element, limit, format, &selected);
  return status != DER_OK ? status : derTimeValue(selected, out);
}

int32_t derTimeValue(const DerSelected& selected, int64_t* out) {
  const uint8_t* content = selected.data;
  const int32_t length = selected.length;
  if (length > kMaxTimeContent) return DER_ERR_SPACE;
  const bool fourDigitYear = length >= 14;
  if (length < (fourDigitYear ? 14 : 12)) return DER_ERR_BOUNDS;

  int digit[14] = {};
  for (int i = 0; i < 14 && i < length; ++i) digit[i] = content[i] - '0';
  auto pair = [&digit](int at) { return digit[at] * 10 + digit[at + 1]; };

  std::tm time;
  std::memset(&time, 0, sizeof time);
  int at;
  if (fourDigitYear) {
    time.tm_year = pair(0) * 100 + pair(2) - 1900;
    at = 4;
  } else {
    const int yy = pair(0);
    time.tm_year = (yy < 50 ? 2000 + yy : 1900 + yy) - 1900;
    at = 2;
  }
  time.tm_mon = pair(at) - 1;
  time.tm_mday = pair(at + 2);
  time.tm_hour = pair(at + 4);
  time.tm_min = pair(at + 6);
  time.tm_sec = pair(at + 8);
  time.tm_isdst = -1;
  *out = derUtcToTime(time);
  return DER_OK;
}
