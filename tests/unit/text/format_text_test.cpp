#include "format_text.h"

#include <gtest/gtest.h>

#include <cstring>

// The plug-in relies on these on every platform: the system runtime's own
// formatter on Windows must behave like this too.
TEST(FormatText, FitsOrIsCutAndAlwaysTerminated) {
  char out[8];
  std::memset(out, 'x', sizeof out);
  EXPECT_TRUE(formatText(out, sizeof out, "%s-%d", "ab", 42));
  EXPECT_STREQ(out, "ab-42");

  EXPECT_TRUE(formatText(out, sizeof out, "%s", "1234567"));  // exactly capacity - 1
  EXPECT_STREQ(out, "1234567");

  std::memset(out, 'x', sizeof out);
  EXPECT_FALSE(formatText(out, sizeof out, "%s", "12345678"));  // exactly capacity
  EXPECT_STREQ(out, "1234567");

  std::memset(out, 'x', sizeof out);
  EXPECT_FALSE(formatText(out, sizeof out, "%s", "a much longer text"));
  EXPECT_STREQ(out, "a much ");

  EXPECT_FALSE(formatText(out, 0, "%s", "x"));
  EXPECT_EQ(out[0], 'a');
}

TEST(FormatText, PrecisionAndPaddingFormsTheListsUse) {
  char out[64];
  EXPECT_TRUE(formatText(out, sizeof out, "%s (%-08.8s)", "Name", "12AB"));
  EXPECT_STREQ(out, "Name (12AB    )");
  const char unterminated[10] = {'A', 'B', '1', '2', '3', '4', 'X', 'Y', 'Z', 'Q'};
  EXPECT_TRUE(formatText(out, sizeof out, "%.8s|%.6s|%.2s", unterminated, unterminated, unterminated));
  EXPECT_STREQ(out, "AB1234XY|AB1234|AB");
  EXPECT_TRUE(formatText(out, sizeof out, "%.*s", 3, unterminated));
  EXPECT_STREQ(out, "AB1");
}
