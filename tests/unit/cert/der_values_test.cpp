#include "der_values.h"

#include <gtest/gtest.h>

#include <string>

#include "der_builder.h"
#include "der_scanner.h"

namespace {

// Every call gets an exact-size heap copy so over-reads are caught.
struct Data {
  explicit Data(const Bytes& bytes) : bytes(bytes) {}
  const uint8_t* begin() const { return bytes.data(); }
  const uint8_t* end() const { return bytes.data() + bytes.size(); }
  Bytes bytes;
};

TEST(DerScanCopy, ZeroFillsAndTruncates) {
  const Data d(tlv(0x30, {tlv(0x04, hex("01 02 03"))}));
  uint8_t out[5] = {9, 9, 9, 9, 9};
  EXPECT_EQ(derScanCopy(d.begin(), d.end(), "SQ", out, 5), DER_OK);
  EXPECT_EQ(toHex(out, 5), "0102030000");
  EXPECT_EQ(derScanCopy(d.begin(), d.end(), "SQ", out, 2), DER_ERR_SPACE);
  EXPECT_EQ(toHex(out, 2), "0102");
  std::fill(out, out + 5, 9);
  EXPECT_EQ(derScanCopy(d.begin(), d.end(), "SB", out, 5), DER_ERR_LAST);
  EXPECT_EQ(toHex(out, 5), "0000000000");  // zero-filled before the scan
}

int32_t int32Of(const char* content, int32_t* value) {
  const Data d(tlv(0x30, {tlv(0x02, hex(content))}));
  return derScanInt32(d.begin(), d.end(), "SI", value);
}

TEST(DerScanInteger, SignExtendsLittleEndian) {
  int32_t value = 42;
  EXPECT_EQ(int32Of("FF 7F", &value), DER_OK);
  EXPECT_EQ(value, -129);
  EXPECT_EQ(int32Of("00 80", &value), DER_OK);
  EXPECT_EQ(value, 128);
  EXPECT_EQ(int32Of("7F FF FF FF", &value), DER_OK);
  EXPECT_EQ(value, 0x7FFFFFFF);
  EXPECT_EQ(int32Of("80", &value), DER_OK);
  EXPECT_EQ(value, -128);
  value = 42;
  EXPECT_EQ(int32Of("00 80 00 00 00", &value), DER_ERR_SPACE);
  EXPECT_EQ(value, 42);

  const Data d(tlv(0x30, {tlv(0x02, hex("FE 01"))}));
  uint8_t wide[6];
  EXPECT_EQ(derScanInteger(d.begin(), d.end(), "SI", wide, 6), DER_OK);
  EXPECT_EQ(toHex(wide, 6), "01feffffffff");
  uint8_t narrow[1] = {0};
  EXPECT_EQ(derScanInteger(d.begin(), d.end(), "SI", narrow, 1), DER_ERR_SPACE);
  EXPECT_EQ(narrow[0], 0xFE);  // the most significant byte, as it stands
}

TEST(DerScanInteger, EmptyContentIsAnError) {
  // No byte to take the sign from: the byte after the element must not be used.
  int32_t value = 42;
  const Data d(hex("30 04 02 00 01 FF"));
  EXPECT_EQ(derScanInt32(d.begin(), d.end(), "SI", &value), DER_ERR_BOUNDS);
  EXPECT_EQ(value, 42);
}

TEST(DerScanBool, ReadsOneByte) {
  bool value = false;
  const Data t(tlv(0x30, {tlv(0x01, hex("FF"))}));
  EXPECT_EQ(derScanBool(t.begin(), t.end(), "SB", &value), DER_OK);
  EXPECT_TRUE(value);
  const Data f(tlv(0x30, {tlv(0x01, hex("00"))}));
  EXPECT_EQ(derScanBool(f.begin(), f.end(), "SB", &value), DER_OK);
  EXPECT_FALSE(value);
  value = true;
  const Data two(tlv(0x30, {tlv(0x01, hex("00 00"))}));
  EXPECT_EQ(derScanBool(two.begin(), two.end(), "SB", &value), DER_ERR_SPACE);
  EXPECT_TRUE(value);
}

TEST(DerScanBool, EmptyContentIsAnError) {
  bool value = false;
  const Data d(hex("30 04 01 00 01 FF"));  // the next element's byte is not the value
  EXPECT_EQ(derScanBool(d.begin(), d.end(), "SB", &value), DER_ERR_BOUNDS);
  EXPECT_FALSE(value);
  const Data last(hex("30 02 01 00"));
  EXPECT_EQ(derScanBool(last.begin(), last.end(), "SB", &value), DER_ERR_BOUNDS);
}

std::string stringOf(const Bytes& element, int32_t capacity, int32_t* status, int32_t* size) {
  const Data d(tlv(0x30, {element}));
  std::string out(static_cast<size_t>(capacity > 0 ? capacity : 1), '#');
  *size = capacity;
  *status = derScanString(d.begin(), d.end(), "SC", &out[0], size);
  return out;
}

TEST(DerScanString, ConvertsBmpStringToUtf8) {
  int32_t status = 0, size = 0;
  const Bytes bmp = tlv(0x1E, hex("00 41 04 16 20 AC"));
  std::string out = stringOf(bmp, 7, &status, &size);
  EXPECT_EQ(status, DER_OK);
  EXPECT_EQ(size, 7);
  EXPECT_EQ(toHex(reinterpret_cast<const uint8_t*>(out.data()), 7), "41d096e282ac00");

  out = stringOf(bmp, 6, &status, &size);
  EXPECT_EQ(status, DER_ERR_SPACE);
  EXPECT_EQ(size, 7);
  EXPECT_EQ(out, "######");  // nothing written

  const Data d(tlv(0x30, {bmp}));
  size = 0;
  EXPECT_EQ(derScanString(d.begin(), d.end(), "SC", nullptr, &size), DER_OK);
  EXPECT_EQ(size, 7);
}

TEST(DerScanString, BmpStringWithLongFormLengthIsStillABmpString) {
  int32_t status = 0, size = 0;
  const std::string out = stringOf(hex("1E 81 04 00 41 04 16"), 4, &status, &size);
  EXPECT_EQ(status, DER_OK);
  EXPECT_EQ(size, 4);
  EXPECT_EQ(out, std::string("A\xD0\x96\0", 4));
}

TEST(DerScanString, OddBmpStringDropsTheLastByte) {
  int32_t status = 0, size = 0;
  const std::string out = stringOf(tlv(0x1E, hex("00 41 04")), 10, &status, &size);
  EXPECT_EQ(status, DER_OK);
  EXPECT_EQ(size, 2);
  EXPECT_EQ(out.substr(0, 2), std::string("A\0", 2));
}

TEST(DerScanString, CopiesOtherStringTypesAsTheyAre) {
  int32_t status = 0, size = 0;
  for (uint8_t tag : {0x0C, 0x13, 0x16, 0x14, 0x1C}) {
    const std::string out = stringOf(tlv(tag, hex("D0 9E 41")), 4, &status, &size);
    EXPECT_EQ(status, DER_OK);
    EXPECT_EQ(size, 4);
    EXPECT_EQ(out, std::string("\xD0\x9E" "A\0", 4));
  }
  // Longer strings have longer headers; the tag is still found.
  const Bytes longBmp = tlv(0x1E, Bytes(400, 0x04));  // 200 units U+0404
  const std::string out = stringOf(longBmp, 401, &status, &size);
  EXPECT_EQ(status, DER_OK);
  EXPECT_EQ(size, 401);
  EXPECT_EQ(out.substr(0, 2), "\xD0\x84");
  const std::string utf8 = stringOf(tlv(0x0C, Bytes(300, 'a')), 301, &status, &size);
  EXPECT_EQ(size, 301);
  EXPECT_EQ(utf8, std::string(300, 'a') + '\0');
}

std::string oidTextOf(const char* content, int32_t capacity, int32_t* status, int32_t* size) {
  const Data d(tlv(0x30, {tlv(0x06, hex(content))}));
  std::string out(static_cast<size_t>(capacity > 0 ? capacity : 1), '#');
  *size = capacity;
  *status = derScanOidText(d.begin(), d.end(), "SD", &out[0], size);
  return out.c_str();
}

TEST(DerScanOidText, RendersDottedText) {
  int32_t status = 0, size = 0;
  EXPECT_EQ(oidTextOf("2A 86 48 86 F7 0D 01 01 0B", 64, &status, &size), "1.2.840.113549.1.1.11");
  EXPECT_EQ(status, DER_OK);
  EXPECT_EQ(size, 22);
  EXPECT_EQ(oidTextOf("2A 86 48 86 F7 0D 01 01 0B", 22, &status, &size), "1.2.840.113549.1.1.11");
  EXPECT_EQ(status, DER_OK);
  EXPECT_EQ(oidTextOf("2A 86 48 86 F7 0D 01 01 0B", 21, &status, &size), "1.2.840.113549.1.1");
  EXPECT_EQ(status, DER_ERR_SPACE);
  EXPECT_EQ(size, 22);
  EXPECT_EQ(oidTextOf("88 37 03", 64, &status, &size), "2.999.3");
  EXPECT_EQ(oidTextOf("27", 64, &status, &size), "0.39");
  EXPECT_EQ(oidTextOf("50", 64, &status, &size), "2.0");
  EXPECT_EQ(oidTextOf("2A 80 80 01", 64, &status, &size), "1.2.1");  // leading zero groups
  EXPECT_EQ(oidTextOf("2A 86", 64, &status, &size), "1.2.6");         // cut-off last subidentifier
}

TEST(DerScanOidText, RendersArcsOfAnySize) {
  // 2.25 UUID arc: 2.25.329800735698586629295641978511506172918
  int32_t status = 0, size = 0;
  const char* uuid = "69 83 F0 9D A7 EB CF DE E0 C7 A1 A7 B2 C0 94 8C C8 F9 D7 76";
  EXPECT_EQ(oidTextOf(uuid, 128, &status, &size), "2.25.329800735698586629295641978511506172918");
  EXPECT_EQ(status, DER_OK);
  // A huge first subidentifier: 2.(2^70 - 80)
  EXPECT_EQ(oidTextOf("81 80 80 80 80 80 80 80 80 80 00", 128, &status, &size), "2.1180591620717411303344");
  oidTextOf("", 128, &status, &size);
  EXPECT_EQ(status, DER_ERR_LAST);
}

TEST(DerScanOidText, SizeOnlyWithoutOutput) {
  const Data d(tlv(0x30, {tlv(0x06, hex("55 1D 0F"))}));
  int32_t size = 0;
  EXPECT_EQ(derScanOidText(d.begin(), d.end(), "SD", nullptr, &size), DER_OK);
  EXPECT_EQ(size, 10);
}

TEST(DerOidInList, MatchesWholeItems) {
  const Data oid(tlv(0x06, hex("2B 06 01 05 05 07 03 02")));  // 1.3.6.1.5.5.7.3.2
  auto in = [&oid](const char* list) { return derOidInList(oid.begin(), oid.end(), list); };
  EXPECT_TRUE(in("1.3.6.1.5.5.7.3.1,1.3.6.1.5.5.7.3.2"));
  EXPECT_TRUE(in(" 1.3.6.1.5.5.7.3.2"));
  EXPECT_TRUE(in("1.3.6.1.5.5.7.3.2"));
  EXPECT_TRUE(in("1.2 ,\t,1.3.6.1.5.5.7.3.2,x"));
  EXPECT_FALSE(in("1.3.6.1.5.5.7.3.2 ,x"));
  EXPECT_FALSE(in("1.3.6.1.5.5.7.3.22"));
  EXPECT_FALSE(in("1.3.6.1.5.5.7.3"));
  EXPECT_FALSE(in(""));
  EXPECT_FALSE(in(nullptr));
  const Data notOid(tlv(0x04, hex("2B 06")));
  EXPECT_FALSE(derOidInList(notOid.begin(), notOid.end(), "1.3"));
}

}  // namespace
