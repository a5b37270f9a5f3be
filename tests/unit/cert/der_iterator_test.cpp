#include "der_iterator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "der_builder.h"
#include "der_scanner.h"

namespace {

// The children the iteration visits (as hex) and the status it ended with.
std::vector<std::string> children(const Bytes& data, const char* format, int32_t* last) {
  const Bytes copy(data);
  std::vector<std::string> seen;
  DerIterator it;
  int32_t status = derIterFirst(copy.data(), copy.data() + copy.size(), format, &it);
  for (; status == DER_OK && seen.size() < 100; status = derIterNext(&it))
    seen.push_back(toHex(it.current, static_cast<size_t>(it.currentSize)));
  *last = status;
  return seen;
}

TEST(DerIterator, VisitsEachChild) {
  int32_t last = 0;
  const Bytes seq = tlv(0x30, {tlv(0x02, hex("01")), hex("05 00"), tlv(0x30, {tlv(0x02, hex("02"))})});
  EXPECT_EQ(children(seq, "S", &last), (std::vector<std::string>{"020101", "0500", "3003020102"}));
  EXPECT_EQ(last, DER_END);
  EXPECT_TRUE(children(hex("30 00"), "S", &last).empty());
  EXPECT_EQ(last, DER_END);
  EXPECT_EQ(children(seq, "SQ", &last).size(), 0u);
  EXPECT_EQ(last, DER_ERR_LAST);
}

TEST(DerIterator, ZeroByteEndsLikeTheEnd) {
  int32_t last = 0;
  EXPECT_EQ(children(hex("30 06 02 01 01 00 00 05"), "S", &last), (std::vector<std::string>{"020101"}));
  EXPECT_EQ(last, DER_END);
}

TEST(DerIterator, StopsOnChildrenOfUnknownSize) {
  int32_t last = 0;
  // Indefinite, over-long and cut-off lengths: the walk cannot go on.
  EXPECT_EQ(children(hex("30 06 02 01 01 30 80 00"), "S", &last), (std::vector<std::string>{"020101"}));
  EXPECT_EQ(last, DER_ERR_BOUNDS);
  EXPECT_EQ(children(hex("30 08 02 01 01 30 85 00 00 00"), "S", &last).size(), 1u);
  EXPECT_EQ(last, DER_ERR_BOUNDS);
  EXPECT_EQ(children(hex("30 05 02 01 01 30 82"), "S", &last).size(), 1u);
  EXPECT_EQ(last, DER_ERR_BOUNDS);

  // Calling on after the error repeats it instead of walking off.
  const Bytes data = hex("30 02 30 80");
  DerIterator it;
  EXPECT_EQ(derIterFirst(data.data(), data.data() + data.size(), "S", &it), DER_ERR_BOUNDS);
  EXPECT_EQ(derIterNext(&it), DER_ERR_BOUNDS);
  EXPECT_EQ(it.current, data.data() + 2);
}

TEST(DerIterator, ChildRunningPastTheParentEndsTheWalk) {
  int32_t last = 0;
  // The inner SEQUENCE's second child claims more than is left of it; the
  // bytes are there (in the outer SEQUENCE) but are not its to give.
  const Bytes data = hex("30 0C 30 06 02 01 01 30 05 02 01 07 00 00");
  EXPECT_EQ(children(data, "SS", &last), (std::vector<std::string>{"020101"}));
  EXPECT_EQ(last, DER_ERR_BOUNDS);
  EXPECT_EQ(children(hex("30 04 02 01 01 30"), "S", &last).size(), 1u);  // header cut by the parent's end
  EXPECT_EQ(last, DER_ERR_BOUNDS);
}

}  // namespace
