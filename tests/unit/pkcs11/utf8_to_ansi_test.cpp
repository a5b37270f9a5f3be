#include "utf8_to_ansi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string convert(const char* source, size_t capacity = 64) {
  char out[64];
  std::memset(out, 'x', sizeof out);
  utf8ToAnsi(source, out, capacity);
  return out;
}

}  // namespace

TEST(Utf8ToAnsi, AsciiIsCopied) { EXPECT_EQ(convert("Owner 1"), "Owner 1"); }

TEST(Utf8ToAnsi, CyrillicBecomesWindows1251) {
  // "Тест Їжак" in UTF-8 and in Windows-1251.
  EXPECT_EQ(convert("\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82 \xD0\x87\xD0\xB6\xD0\xB0\xD0\xBA"),
            "\xD2\xE5\xF1\xF2 \xAF\xE6\xE0\xEA");
}

TEST(Utf8ToAnsi, ThreeByteSequenceIsOneCharacter) {
  // U+4E2D has no place in Windows-1251: one '?' for three bytes.
  EXPECT_EQ(convert("a\xE4\xB8\xADz"), "a?z");
}

TEST(Utf8ToAnsi, CapacityOneWritesOnlyTheTerminator) {
  char out[4] = {'x', 'x', 'x', 'x'};
  utf8ToAnsi("abc", out, 1);
  EXPECT_EQ(out[0], '\0');
  EXPECT_EQ(out[1], 'x');
}

TEST(Utf8ToAnsi, CapacityZeroWritesNothing) {
  char out[2] = {'x', 'x'};
  utf8ToAnsi("abc", out, 0);
  EXPECT_EQ(out[0], 'x');
}

TEST(Utf8ToAnsi, OutputStopsAtCapacity) {
  char out[8];
  std::memset(out, 'x', sizeof out);
  utf8ToAnsi("\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82", out, 3);
  EXPECT_STREQ(out, "\xD2\xE5");
  EXPECT_EQ(out[3], 'x');
}

TEST(Utf8ToAnsi, SequenceCutShortEndsTheText) {
  // Each source is its own allocation, so a read past its zero shows under ASan.
  const std::string twoByteLead("ab\xD0");
  EXPECT_EQ(convert(twoByteLead.c_str()), "ab");
  const std::string threeByteCut("ab\xE2\x84");
  EXPECT_EQ(convert(threeByteCut.c_str()), "ab");
  const std::string threeByteLead("ab\xE2");
  EXPECT_EQ(convert(threeByteLead.c_str()), "ab");
}

TEST(Utf8ToAnsi, FourByteLeadIsReadAsTwoByteSequence) {
  // F0 9F 98 80: F0 9F decodes as (0x10 << 6) | 0x1F = U+041F 'П'; then 98 80 as U+0600.
  EXPECT_EQ(convert("\xF0\x9F\x98\x80"), "\xCF?");
}
