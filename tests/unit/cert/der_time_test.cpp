#include "der_time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "der_builder.h"
#include "der_scanner.h"

namespace {

int32_t timeOf(uint8_t tag, const char* content, int64_t* out) {
  const Bytes bytes = tlv(0x30, {tlv(tag, text(content))});
  return derScanTime(bytes.data(), bytes.data() + bytes.size(), "ST", out);
}

int64_t utcTime(const char* content) {
  int64_t out = 0;
  EXPECT_EQ(timeOf(0x17, content, &out), DER_OK) << content;
  return out;
}

TEST(DerScanTime, ReadsBothFormsAroundTheCenturyPivot) {
  EXPECT_EQ(utcTime("491231235959Z"), 2524607999);     // 2049-12-31 23:59:59
  EXPECT_EQ(utcTime("500101000000Z"), -631152000);     // 1950
  EXPECT_EQ(utcTime("700101000000Z"), 0);
  EXPECT_EQ(utcTime("691231235959Z"), -1);
  EXPECT_EQ(utcTime("650615123000Z"), -143465400);
  int64_t out = 0;
  EXPECT_EQ(timeOf(0x18, "20500101000000Z", &out), DER_OK);
  EXPECT_EQ(out, 2524608000);
  EXPECT_EQ(timeOf(0x18, "20240229120000.123456Z", &out), DER_OK);  // fraction not read
  EXPECT_EQ(out, 1709208000);
  EXPECT_EQ(timeOf(0x18, "19000101000000Z", &out), DER_OK);
  EXPECT_EQ(out, -2208988800);
  EXPECT_EQ(timeOf(0x18, "99991231235959Z", &out), DER_OK);
  EXPECT_EQ(out, 253402300799);
  // The form follows the length alone, not the tag.
  EXPECT_EQ(timeOf(0x18, "491231235959Z", &out), DER_OK);
  EXPECT_EQ(out, 2524607999);
  EXPECT_EQ(utcTime("491231235950"), 2524607990);  // no zone designator
}

TEST(DerScanTime, ShortOrLongContentIsAnError) {
  int64_t out = 77;
  EXPECT_EQ(timeOf(0x17, "4912312359Z", &out), DER_ERR_BOUNDS);
  EXPECT_EQ(timeOf(0x17, "", &out), DER_ERR_BOUNDS);
  EXPECT_EQ(timeOf(0x18, "2050010100000Z", &out), DER_OK);  // 14 characters: four-digit year
  EXPECT_EQ(timeOf(0x18, "205001010000000000000000Z", &out), DER_ERR_SPACE);
  out = 77;
  EXPECT_EQ(timeOf(0x17, "49123123", &out), DER_ERR_BOUNDS);
  EXPECT_EQ(out, 77);
  const Bytes notTime = tlv(0x30, {tlv(0x02, hex("01"))});
  EXPECT_EQ(derScanTime(notTime.data(), notTime.data() + notTime.size(), "ST", &out), DER_ERR_LAST);
}

std::tm brokenDown(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  return t;
}

TEST(DerUtcToTime, CarriesOverFieldsOutOfRange) {
  EXPECT_EQ(derUtcToTime(brokenDown(2024, 13, 1, 0, 0, 0)), derUtcToTime(brokenDown(2025, 1, 1, 0, 0, 0)));
  EXPECT_EQ(derUtcToTime(brokenDown(2024, 0, 1, 0, 0, 0)), derUtcToTime(brokenDown(2023, 12, 1, 0, 0, 0)));
  EXPECT_EQ(derUtcToTime(brokenDown(2024, 3, 0, 0, 0, 0)), derUtcToTime(brokenDown(2024, 2, 29, 0, 0, 0)));
  EXPECT_EQ(derUtcToTime(brokenDown(2016, 12, 31, 23, 59, 60)), derUtcToTime(brokenDown(2017, 1, 1, 0, 0, 0)));
  EXPECT_EQ(derUtcToTime(brokenDown(2000, 1, 1, -1, 0, 0)), 946681200);
  EXPECT_EQ(derUtcToTime(brokenDown(1600, 3, 1, 0, 0, 0)), -11670912000);
}

// Counts days one by one from 1970, to check the arithmetic against.
int64_t countedSeconds(int year, int month, int day) {
  static const int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  auto leap = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
  int64_t days = 0;
  for (int y = 1970; y < year; ++y) days += leap(y) ? 366 : 365;
  for (int y = year; y < 1970; ++y) days -= leap(y) ? 366 : 365;
  for (int m = 1; m < month; ++m) days += kMonthDays[m - 1] + (m == 2 && leap(year));
  return (days + day - 1) * 86400;
}

TEST(DerUtcToTime, AgreesWithDayCounting) {
  for (int year : {1601, 1899, 1900, 1969, 1970, 1999, 2000, 2038, 2100, 2400, 2999, 3001}) {
    for (int month = 1; month <= 12; ++month) {
      for (int day : {1, 15, 28}) {
        EXPECT_EQ(derUtcToTime(brokenDown(year, month, day, 0, 0, 0)), countedSeconds(year, month, day))
            << year << "-" << month << "-" << day;
      }
    }
  }
}

void setTimeZone(const char* zone) {
#ifdef _WIN32
  _putenv_s("TZ", zone);
  _tzset();
#else
  setenv("TZ", zone, 1);
  tzset();
#endif
}

TEST(DerScanTime, IndependentOfTheProcessTimeZone) {
  // Hours around the 2024 daylight-saving changes in Kyiv and New York, and
  // plain hours in winter and summer.
  struct Case {
    const char* content;
    int64_t seconds;
  } const cases[] = {
      {"240331005959Z", 1711846799}, {"240331010000Z", 1711846800}, {"240331013000Z", 1711848600},
      {"241027003000Z", 1729989000}, {"241027010000Z", 1729990800}, {"240310063000Z", 1710052200},
      {"240310073000Z", 1710055800}, {"241103053000Z", 1730611800}, {"241103063000Z", 1730615400},
      {"240115120000Z", 1705320000}, {"240715120000Z", 1721044800}, {"600101000000Z", -315619200},
  };
  const char* previous = std::getenv("TZ");
  const std::string saved = previous ? previous : "";
  for (const char* zone : {"UTC", "Europe/Kyiv", "America/New_York", "EST5EDT", "UTC-14"}) {
    setTimeZone(zone);
    for (const Case& c : cases) EXPECT_EQ(utcTime(c.content), c.seconds) << zone << " " << c.content;
  }
  setTimeZone(saved.c_str());
}

}  // namespace
