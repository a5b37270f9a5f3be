#include "parse_integer.h"

#include <gtest/gtest.h>

TEST(ParseInteger, ReadsHexOctalAndDecimalPrefixes) {
  EXPECT_EQ(parseInteger("0x1F"), 31);
  EXPECT_EQ(parseInteger("0X1f"), 31);
  EXPECT_EQ(parseInteger("017"), 15);
  EXPECT_EQ(parseInteger("08"), 8);
  EXPECT_EQ(parseInteger("09"), 9);
  EXPECT_EQ(parseInteger("-25"), -25);
  EXPECT_EQ(parseInteger("12ab"), 12);
  EXPECT_EQ(parseInteger("0"), 0);
  EXPECT_EQ(parseInteger("0129"), 10);  // octal stops at 9
}

TEST(ParseInteger, WhatIsNotANumberGivesZero) {
  EXPECT_EQ(parseInteger(""), 0);
  EXPECT_EQ(parseInteger(nullptr), 0);
  EXPECT_EQ(parseInteger("0x"), 0);
  EXPECT_EQ(parseInteger("-0x10"), 0);
  EXPECT_EQ(parseInteger("+5"), 0);
  EXPECT_EQ(parseInteger(" 5"), 0);
  EXPECT_EQ(parseInteger("-"), 0);
}

TEST(ParseInteger, OverflowWrapsIn32Bits) {
  EXPECT_EQ(parseInteger("4294967295"), -1);
  EXPECT_EQ(parseInteger("4294967296"), 0);
  EXPECT_EQ(parseInteger("2147483648"), INT32_MIN);
  EXPECT_EQ(parseInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(parseInteger("0x1FFFFFFFF"), -1);
  EXPECT_EQ(parseInteger("0xFFFFFFFF"), -1);
  EXPECT_EQ(parseInteger("040000000000"), 0);  // 2^32 in octal
  EXPECT_EQ(parseInteger("99999999999999999999"), static_cast<int32_t>(UINT32_C(1661992959)));
}
