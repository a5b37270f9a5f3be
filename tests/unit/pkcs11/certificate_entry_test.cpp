#include "certificate_entry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string keyNumber(const std::vector<uint8_t>& element, size_t capacity = 512) {
  std::vector<char> text(capacity + 1, 'x');
  EXPECT_TRUE(keyNumberText(ByteBuffer(element.data(), static_cast<int32_t>(element.size())),
                            text.data(), capacity));
  EXPECT_EQ(text[capacity], 'x') << "wrote past the capacity";
  return text.data();
}

std::string entry(const char* name, const char* keyNumber) {
  return formatCertificateEntry(name, keyNumber).text;
}

std::string namePart(const char* entry, size_t capacity = 64) {
  char out[64];
  std::memset(out, 'x', sizeof out);
  entryNamePart(entry, out, capacity);
  return out;
}

std::string keyNumberPart(const char* entry, size_t capacity = 64) {
  char out[64];
  std::memset(out, 'x', sizeof out);
  entryKeyNumberPart(entry, out, capacity);
  return out;
}

}  // namespace

TEST(KeyNumberText, HexOfTheContentThenZ) {
  EXPECT_EQ(keyNumber({0x02, 0x05, 0x01, 0x02, 0x03, 0x04, 0x05}), "0102030405Z");
  EXPECT_EQ(keyNumber({0x02, 0x01, 0x0A}), "0aZ");
  EXPECT_EQ(keyNumber({0x02, 0x02, 0x00, 0xAB}), "00abZ");
}

TEST(KeyNumberText, LongLengthFormIsSkippedWhole) {
  std::vector<uint8_t> element = {0x02, 0x81, 0x82, 0x01};
  element.resize(3 + 0x82, 0xAB);
  const std::string text = keyNumber(element);
  EXPECT_EQ(text.size(), 2u * 0x82 + 1);
  EXPECT_EQ(text.substr(0, 8), "01ababab");

  EXPECT_EQ(keyNumber({0x02, 0x82, 0x00, 0x02, 0xFE, 0xDC}), "fedcZ");
}

TEST(KeyNumberText, CutAtTheCapacity) {
  EXPECT_EQ(keyNumber({0x02, 0x05, 0x01, 0x02, 0x03, 0x04, 0x05}, 9), "01020304");
  EXPECT_EQ(keyNumber({0x02, 0x01, 0x0A}, 4), "0aZ");
  EXPECT_EQ(keyNumber({0x02, 0x01, 0x0A}, 3), "0a");
  EXPECT_EQ(keyNumber({0x02, 0x01, 0x0A}, 1), "");
}

TEST(KeyNumberText, ElementShorterThanItsHeaderIsRefused) {
  char text[16];
  EXPECT_FALSE(keyNumberText(ByteBuffer(), text, sizeof text));
  const uint8_t oneByte[] = {0x02};
  EXPECT_FALSE(keyNumberText(ByteBuffer(oneByte, 1), text, sizeof text));
  const uint8_t cutLength[] = {0x02, 0x84, 0x00};
  EXPECT_FALSE(keyNumberText(ByteBuffer(cutLength, 3), text, sizeof text));
}

TEST(CertificateEntry, NameAndEightCharactersOfKeyNumber) {
  EXPECT_EQ(entry("Owner", "0102030405Z"), "Owner (01020304)");
  EXPECT_EQ(entry("Owner", "0aZ"), "Owner (0aZ     )");
  EXPECT_EQ(entry("", "00abZ"), " (00abZ   )");
}

TEST(CertificateEntry, LongestNameFits) {
  const std::string name(332, 'N');
  EXPECT_EQ(entry(name.c_str(), "01020304Z"), name + " (01020304)");
}

TEST(EntrySplit, NamePartKeepsTheSpace) {
  EXPECT_EQ(namePart("\xD2\xE5\xF1\xF2 (01020304)"), "\xD2\xE5\xF1\xF2 ");
  EXPECT_EQ(keyNumberPart("\xD2\xE5\xF1\xF2 (01020304)"), "01020304");
  EXPECT_EQ(keyNumberPart("Owner (0aZ     )"), "0aZ     ");
}

TEST(EntrySplit, ShortEntriesGiveEmptyParts) {
  EXPECT_EQ(namePart("(01020304"), "");   // 9 characters
  EXPECT_EQ(keyNumberPart("(01020304"), "(0102030");  // 8 characters from 9 before the end
  EXPECT_EQ(keyNumberPart("01020304"), "");  // 8 characters
  EXPECT_EQ(namePart(""), "");
  EXPECT_EQ(keyNumberPart(""), "");
}

TEST(EntrySplit, PartsAreCutToTheCapacity) {
  EXPECT_EQ(namePart("Owner Name (01020304)", 4), "Own");
  EXPECT_EQ(keyNumberPart("Owner Name (01020304)", 5), "0102");
  char untouched = 'x';
  entryNamePart("Owner (01020304)", &untouched, 0);
  EXPECT_EQ(untouched, 'x');
}
