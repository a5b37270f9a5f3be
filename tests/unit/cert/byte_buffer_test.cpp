#include "byte_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

namespace {

// The block header sits in front of the data: count, then length.
int32_t countOf(const ByteBuffer& b) { return reinterpret_cast<const int32_t*>(b.data())[-2]; }
int32_t lengthField(const ByteBuffer& b) { return reinterpret_cast<const int32_t*>(b.data())[-1]; }

TEST(ByteBuffer, EmptyBuffersShareOneBlock) {
  const ByteBuffer a;
  const ByteBuffer b;
  EXPECT_EQ(a.size(), 0);
  EXPECT_TRUE(a.isEmpty());
  ASSERT_NE(a.data(), nullptr);
  EXPECT_EQ(a.data()[0], 0);
  EXPECT_EQ(a.data(), b.data());
  const int32_t before = countOf(a);
  {
    ByteBuffer c(a);
    EXPECT_EQ(countOf(a), before + 1);
  }
  EXPECT_EQ(countOf(a), before);
  EXPECT_TRUE(a.equals(b));
  EXPECT_TRUE(a.equals(nullptr, 0));
}

TEST(ByteBuffer, BlockHoldsCountLengthDataAndTerminator) {
  const char text[] = "abc";
  ByteBuffer b(text, 3);
  EXPECT_EQ(countOf(b), 1);
  EXPECT_EQ(lengthField(b), 3);
  EXPECT_EQ(std::memcmp(b.data(), "abc", 4), 0);  // zero-terminated
  ByteBuffer unset(nullptr, 5);
  EXPECT_EQ(unset.size(), 5);
  EXPECT_EQ(unset.data()[5], 0);
}

TEST(ByteBuffer, CopiesShareTheBlock) {
  ByteBuffer a("xyz", 3);
  ByteBuffer b(a);
  EXPECT_EQ(a.data(), b.data());
  EXPECT_EQ(countOf(a), 2);
  ByteBuffer c;
  c = a;
  EXPECT_EQ(countOf(a), 3);
  c = c;  // self-assignment keeps the block alive
  EXPECT_EQ(countOf(a), 3);
  EXPECT_EQ(c.data(), a.data());
  c = ByteBuffer();
  EXPECT_EQ(countOf(a), 2);
}

TEST(ByteBuffer, EqualityNeedsEqualLengths) {
  const ByteBuffer ab("ab", 2);
  const ByteBuffer abc("abc", 3);
  EXPECT_FALSE(ab.equals(abc));
  EXPECT_FALSE(abc.equals(ab));
  EXPECT_TRUE(ab.equals("ab", 2));
  EXPECT_FALSE(ab.equals("ax", 2));
  EXPECT_FALSE(ab.equals(nullptr, 2));
  EXPECT_TRUE(ByteBuffer(nullptr, 0).equals(ByteBuffer()));
}

#ifdef _GLIBCXX_HAS_GTHREADS  // std::thread exists (not in the win32 thread model)
TEST(ByteBuffer, CountsStayExactAcrossThreads) {
  ByteBuffer shared("shared", 6);
  std::vector<std::thread> threads;
  for (int t = 0; t < 2; ++t) {
    threads.emplace_back([&shared] {
      for (int i = 0; i < 100000; ++i) {
        ByteBuffer copy(shared);
        ByteBuffer other;
        other = copy;
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(countOf(shared), 1);
}
#endif

}  // namespace
