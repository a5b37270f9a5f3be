#include "der_scanner.h"

#include <gtest/gtest.h>

#include <string>

#include "der_builder.h"
#include "der_oid.h"

namespace {

struct Result {
  int32_t status;
  std::string hex;  // the selected bytes
};

// Scans a heap copy of exactly the given bytes, so that any read past them
// is caught by the address sanitizer.
Result scan(const Bytes& data, const char* format) {
  std::vector<uint8_t> copy(data);
  const uint8_t* out = nullptr;
  int32_t length = -1;
  const int32_t status = derScan(copy.data(), copy.data() + copy.size(), format, &out, &length);
  return {status, status == DER_OK ? toHex(out, static_cast<size_t>(length)) : ""};
}

TEST(DerElementSize, ReadsEveryLengthForm) {
  const Bytes shortForm = hex("30 03 01 01 00");
  EXPECT_EQ(derElementSize(shortForm.data(), shortForm.data() + shortForm.size()), 5);
  const Bytes forms[] = {hex("04 81 C8"), hex("04 82 01 00"), hex("04 83 01 00 00"), hex("04 84 00 01 00 00")};
  const int32_t sizes[] = {0xC8 + 3, 0x100 + 4, 0x10000 + 5, 0x10000 + 6};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(derElementSize(forms[i].data(), forms[i].data() + forms[i].size()), sizes[i]);
}

TEST(DerElementSize, IsZeroForUnsupportedOrUnreadableHeaders) {
  for (const char* header : {"30 80", "30 85 00 00 00 00 01", "30 FF", "04 84 FF FF FF FF", "30", "30 82 01", ""}) {
    const Bytes bytes = hex(header);
    EXPECT_EQ(derElementSize(bytes.data(), bytes.data() + bytes.size()), 0) << header;
  }
}

TEST(DerReadLength, AdvancesPastTheLengthBytes) {
  const Bytes bytes = hex("82 01 02 FF");
  const uint8_t* cursor = bytes.data();
  EXPECT_EQ(derReadLength(&cursor, bytes.data() + bytes.size()), 0x102);
  EXPECT_EQ(cursor, bytes.data() + 3);

  const Bytes indefinite = hex("80 00");
  cursor = indefinite.data();
  EXPECT_EQ(derReadLength(&cursor, indefinite.data() + 2), 0);
  EXPECT_EQ(cursor, indefinite.data() + 1);

  const Bytes truncated = hex("83 01 02");
  cursor = truncated.data();
  EXPECT_EQ(derReadLength(&cursor, truncated.data() + truncated.size()), -1);
  EXPECT_EQ(cursor, truncated.data());

  const Bytes negative = hex("84 80 00 00 00");
  cursor = negative.data();
  EXPECT_EQ(derReadLength(&cursor, negative.data() + negative.size()), -1);
}

TEST(DerScan, WalksCertificatePaths) {
  CertificateParts parts;
  const Bytes withVersion = makeCertificate(parts);
  parts.withVersion = false;
  const Bytes withoutVersion = makeCertificate(parts);
  for (const Bytes& cert : {withVersion, withoutVersion}) {
    EXPECT_EQ(scan(cert, "SSoe0i").hex, "020200c8");
    EXPECT_EQ(scan(cert, "SSoe0iss").hex, toHex(commonName("Issuer").data(), commonName("Issuer").size()));
    EXPECT_EQ(scan(cert, "SSoe0issST").hex, toHex(text("240101000000Z").data(), 13));
    EXPECT_EQ(scan(cert, "SSoe0issStT").hex, toHex(text("250101000000Z").data(), 13));
    EXPECT_EQ(scan(cert, "SSoe0isssssoy1oy2E3s").status, DER_ERR_BOUNDS);  // no extensions
    EXPECT_EQ(scan(cert, "SssG").hex, "aabbcc");
    EXPECT_EQ(scan(cert, "SssX").hex, "aabbcc");
    EXPECT_EQ(scan(cert, "Sssg").hex, "030400aabbcc");
  }
}

TEST(DerScan, SelectsLastElementOrReportsItsTag) {
  const Bytes seq = tlv(0x30, {tlv(0x02, hex("05")), tlv(0x0C, text("ab")), hex("05 00")});
  EXPECT_EQ(scan(seq, "SI").hex, "05");
  EXPECT_EQ(scan(seq, "Si").hex, "020105");
  EXPECT_EQ(scan(seq, "SiC").hex, "6162");
  EXPECT_EQ(scan(seq, "SicN").hex, "");
  EXPECT_EQ(scan(seq, "SicN").status, DER_OK);
  EXPECT_EQ(scan(seq, "SB").status, DER_ERR_LAST);
  EXPECT_EQ(scan(seq, "SbI").status, DER_ERR_MISMATCH);
  EXPECT_EQ(scan(seq, "SobI").hex, "05");    // optional and absent: the cursor stays
  EXPECT_EQ(scan(seq, "Sx2N").hex, "");     // x with a count skips that many
  EXPECT_EQ(scan(seq, "Sx2n").hex, "0500");
  EXPECT_EQ(scan(seq, "Sx3n").status, DER_ERR_BOUNDS);
  EXPECT_EQ(scan(seq, "  S  i c n").hex, "0500");
}

TEST(DerScan, TestsContextAndApplicationTags) {
  const Bytes seq = tlv(0x30, {tlv(0xA0, {tlv(0x02, hex("02"))}), tlv(0x81, text("x")), tlv(0x63, hex("01"))});
  EXPECT_EQ(scan(seq, "SE0I").hex, "02");
  EXPECT_EQ(scan(seq, "SE1I").status, DER_ERR_MISMATCH);
  EXPECT_EQ(scan(seq, "SeY1").hex, "78");
  EXPECT_EQ(scan(seq, "SeY").status, DER_ERR_LAST);   // y without a count never matches
  EXPECT_EQ(scan(seq, "Sey1e3").hex, "630101");      // application class, constructed
  EXPECT_EQ(scan(seq, "Sey1e").hex, "630101");
  EXPECT_EQ(scan(seq, "See").status, DER_ERR_LAST);  // [1] is primitive
}

TEST(DerScan, RejectsLettersOutOfPlace) {
  const Bytes seq = tlv(0x30, {tlv(0x02, hex("05")), tlv(0x02, hex("06"))});
  for (const char* format : {"SIi", "Sh", "Shi", "SK", "S5", "Si5", "Ai", "S ", "", "So", "Soo", "SX2"}) {
    EXPECT_EQ(scan(seq, format).status, DER_ERR_FORMAT) << format;
  }
  EXPECT_EQ(scan(seq, "Q").status, DER_ERR_LAST);
  const Bytes bits = tlv(0x30, {hex("03 01 00"), tlv(0x02, hex("05"))});
  EXPECT_EQ(scan(bits, "Sg=i").status, DER_ERR_FORMAT);  // only G and Q take '='
  EXPECT_EQ(scan(bits, "SG=").status, DER_OK);
}

TEST(DerScan, EmptyBitStringHasNoUnusedBitsByteToDrop) {
  const Bytes seq = tlv(0x30, {hex("03 00")});
  EXPECT_EQ(scan(seq, "SG").status, DER_ERR_BOUNDS);
  EXPECT_EQ(scan(seq, "SX").status, DER_ERR_BOUNDS);
  EXPECT_EQ(scan(seq, "Sg").hex, "0300");
}

TEST(DerScan, EntersIndefiniteLengthWithinTheOuterContainer) {
  const Bytes data = hex("30 06 30 80 02 01 07 00");
  EXPECT_EQ(scan(data, "SSI").hex, "07");
  EXPECT_EQ(scan(data, "Ss").hex, "3080");
  EXPECT_EQ(scan(hex("30 80 02 01 07 00 00"), "SI").status, DER_ERR_BOUNDS);  // no end bound at all
  EXPECT_EQ(scan(hex("30 85 00 00 00 00 03 02 01 07"), "SI").status, DER_ERR_BOUNDS);
}

TEST(DerScan, NeverReadsPastTheData) {
  // Each of these stops short inside a header or content; the copies made by
  // scan() are exactly this long.
  const char* cases[][2] = {
      {"30 03 02 01", "SI"},          // content shorter than claimed
      {"30 02 02", "Si"},              // only a tag
      {"30 03 02 82 01", "Si"},        // long length cut off
      {"30 03 02 82 01", "SI"},
      {"30 03 30 84 00", "SSi"},
      {"30 04 30 82 7F FF", "SSi"},    // inner claims beyond the data
      {"30 04 30 82 7F FF", "Ssi"},
      {"30 02 31 00", "Sui"},
      {"30 02 03 01", "SGi"},
      {"30", "S"},
      {"30 81", "S"},
      {"30 7F 02 01 05", "Sii"},
      {"30 05 30 03 06 01 55", "f2.5.29.15 obQ"},
      {"30 04 30 02 06 05", "f2.5.29.15 obQ"},
      {"30 04 31 02 30 05", "a2.5.4.3 C"},
      {"30 03 31 01 30", "F2.5.4.3C"},
  };
  for (const auto& c : cases) {
    const Result r = scan(hex(c[0]), c[1]);
    EXPECT_NE(r.status, DER_OK) << c[0] << " / " << c[1];
  }
  // An element must fit the data (and every element its container), even
  // when the path would stay inside what is there.
  EXPECT_EQ(scan(hex("30 7F 02 01 05 02 01 06"), "SiI").status, DER_ERR_BOUNDS);
}

TEST(DerScan, ElementsMustFitTheirContainer) {
  const Bytes data = hex("30 05 30 01 02 01 05");  // the inner SEQUENCE ends inside the INTEGER
  EXPECT_EQ(scan(data, "SSi").status, DER_ERR_BOUNDS);
  EXPECT_EQ(scan(data, "SSI").status, DER_ERR_BOUNDS);
  // An inner SEQUENCE claiming one byte more than its parent holds: its
  // content would take the next sibling's first byte.
  const Bytes overlong = hex("30 08 04 03 30 02 05 02 01 07");
  EXPECT_EQ(scan(overlong, "SQSN").status, DER_ERR_BOUNDS);
  EXPECT_EQ(scan(overlong, "SQ=Sn").status, DER_ERR_BOUNDS);
  EXPECT_EQ(scan(hex("30 06 04 01 30 02 01 07"), "SQSN").status, DER_ERR_BOUNDS);  // header straddles
  EXPECT_EQ(scan(overlong, "SqI").hex, "07");
  // The length bytes themselves past the container's end.
  EXPECT_EQ(scan(hex("30 06 04 01 02 81 01 05"), "SQi").status, DER_ERR_BOUNDS);
}

TEST(DerScan, DeepNestingNeedsNoRecursion) {
  Bytes nested = hex("05 00");
  for (int depth = 0; depth < 3000; ++depth) nested = tlv(0x30, nested);
  std::string path(3000, 'S');
  EXPECT_EQ(scan(nested, (path + "N").c_str()).status, DER_OK);
  EXPECT_EQ(scan(nested, (path + "SN").c_str()).status, DER_ERR_MISMATCH);
}

TEST(DerScan, HugeCountsEndAtTheContainer) {
  const Bytes seq = tlv(0x30, {hex("05 00 05 00")});
  EXPECT_EQ(scan(seq, "Sx99999999999999999999n").status, DER_ERR_BOUNDS);
  EXPECT_EQ(scan(seq, "Sy99999999999999999999").status, DER_ERR_LAST);
}

Bytes keyUsageExtension(int critical) { return extension(hex("55 1D 0F"), tlv(0x03, hex("05 A0")), critical); }

TEST(DerScanSearch, FindsExtensionWithOrWithoutCriticalFlag) {
  const Bytes other = extension(hex("55 1D 13"), tlv(0x30, Bytes{}));
  for (int critical : {-1, 1}) {
    const Bytes list = tlv(0x30, {other, keyUsageExtension(critical)});
    EXPECT_EQ(scan(list, "f2.5.29.15 obQ=G").hex, "a0") << critical;
    EXPECT_EQ(scan(list, "F2.5.29.15obQ=G").hex, "a0") << critical;
  }
  const Bytes list = tlv(0x30, {other, keyUsageExtension(1)});
  EXPECT_EQ(scan(list, "f2.5.29.15 B").hex, "ff");
  EXPECT_EQ(scan(list, "f2.5.29.15").hex, toHex(hex("01 01 FF 04 04 03 02 05 A0").data(), 9));
  EXPECT_EQ(scan(list, "f2.5.29.14 obQ").status, DER_ERR_MISMATCH);
  EXPECT_EQ(scan(hex("30 00"), "f2.5.29.14 obQ").status, DER_ERR_MISMATCH);
  EXPECT_EQ(scan(list, "a2.5.29.15 obQ").status, DER_ERR_MISMATCH);  // not a SET
  EXPECT_EQ(scan(tlv(0x30, {hex("05 00")}), "f2.5.29.15 obQ").status, DER_ERR_MISMATCH);
}

TEST(DerScanSearch, LooksAtTheFirstAttributeOfEachNameSet) {
  const Bytes cnOid = hex("55 04 03");
  const Bytes name = tlv(0x30, {
                                   rdn(hex("55 04 06"), 0x13, text("UA")),
                                   // a multi-valued RDN whose second attribute is a CN
                                   tlv(0x31, {tlv(0x30, {tlv(0x06, hex("55 04 0A")), tlv(0x0C, text("Org"))}),
                                              tlv(0x30, {tlv(0x06, cnOid), tlv(0x0C, text("Hidden"))})}),
                                   rdn(cnOid, 0x0C, text("First")),
                                   rdn(cnOid, 0x0C, text("Second")),
                               });
  EXPECT_EQ(scan(name, "F2.5.4.3C").hex, toHex(text("First").data(), 5));
  EXPECT_EQ(scan(name, "F2.5.4.10C").hex, toHex(text("Org").data(), 3));
  EXPECT_EQ(scan(name, "F2.5.4.11C").status, DER_ERR_MISMATCH);
  EXPECT_EQ(scan(name, "F2.5.4.C").status, DER_ERR_FORMAT);   // not an OID
  EXPECT_EQ(scan(name, "F2C").status, DER_ERR_FORMAT);
  EXPECT_EQ(scan(name, (std::string("F2.5.") + std::string(250, '1') + "C").c_str()).status, DER_ERR_FORMAT);
}

TEST(DerScanSearch, StopsOnChildrenWithoutAKnownEnd) {
  // An indefinite or over-long child would never let the search move on.
  EXPECT_EQ(scan(hex("30 0A 30 80 06 01 2A 00 00 30 02 05 00"), "f2.5.29.15 obQ").status, DER_ERR_BOUNDS);
  EXPECT_EQ(scan(hex("30 0A 30 85 06 01 2A 00 00 30 02 05 00"), "f2.5.29.15 obQ").status, DER_ERR_BOUNDS);
  EXPECT_EQ(scan(hex("30 07 31 80 30 03 06 01 2A"), "F1.2C").status, DER_ERR_BOUNDS);
}

TEST(DerScanSearch, ChildrenWithoutAnOidDoNotMatch) {
  // An empty Extension and an empty RDN set are passed over, not read beyond.
  const Bytes list = tlv(0x30, {hex("30 00"), keyUsageExtension(-1)});
  EXPECT_EQ(scan(list, "f2.5.29.15 Q=G").hex, "a0");
  const Bytes name = tlv(0x30, {hex("31 00"), rdn(hex("55 04 03"), 0x0C, text("x"))});
  EXPECT_EQ(scan(name, "F2.5.4.3C").status, DER_ERR_MISMATCH);
  const Bytes emptyPair = tlv(0x30, {hex("31 02 30 00"), rdn(hex("55 04 03"), 0x0C, text("x"))});
  EXPECT_EQ(scan(emptyPair, "F2.5.4.3C").hex, "78");
}

TEST(DerScanSearch, FoundChildShorterThanItsOid) {
  // The child claims 2 bytes but its OID runs on: nothing is left inside it.
  const Bytes list = hex("30 07 30 02 06 03 55 1D 0F");
  EXPECT_EQ(scan(list, "f2.5.29.15").status, DER_ERR_BOUNDS);
  EXPECT_EQ(scan(list, "f2.5.29.15 Q").status, DER_ERR_BOUNDS);
}

TEST(DerOidFromText, EncodesArcsInBase128) {
  uint8_t out[32];
  ASSERT_EQ(derOidFromText("2.5.29.15", out, sizeof out), 3);
  EXPECT_EQ(toHex(out, 3), "551d0f");
  ASSERT_EQ(derOidFromText("1.2.840.113549.1.9.1", out, sizeof out), 9);
  EXPECT_EQ(toHex(out, 9), "2a864886f70d010901");
  ASSERT_EQ(derOidFromText("2.999.2147483647", out, sizeof out), 7);
  EXPECT_EQ(toHex(out, 7), "883787ffffff7f");
  EXPECT_EQ(derOidFromText("2.5.29.15", out, 2), 0);
  for (const char* bad : {"", "2", "2.", "3.1", "2.5.", "2..5", "2.5.x", "2.5 ", "2.2147483648", ".2.5"})
    EXPECT_EQ(derOidFromText(bad, out, sizeof out), 0) << bad;
}

TEST(DerEncodeOid, WritesTheWholeElement) {
  uint8_t out[16];
  ASSERT_EQ(derEncodeOid("1.3.6.1.5.5.7.48.1", out, sizeof out), 10);
  EXPECT_EQ(toHex(out, 10), "06082b06010505073001");
  EXPECT_EQ(derEncodeOid("1.3.6.1.5.5.7.48.1", out, 9), 0);
  EXPECT_EQ(derEncodeOid("1.3", out, 2), 0);
  std::string longOid = "1.3";
  for (int i = 0; i < 70; ++i) longOid += ".200";  // 141 content bytes
  uint8_t big[200];
  EXPECT_EQ(derEncodeOid(longOid.c_str(), big, sizeof big), 0);
}

}  // namespace
