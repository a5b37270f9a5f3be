// The host frame itself: variables and stack at both NSIS string sizes, with
// guard bytes around everything the frame may write.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host_context.h"

namespace {

int registrations = 0;
int __stdcall countRegistration(HMODULE, NSISPLUGINCALLBACK) { return registrations++ ? 1 : 0; }

class Frame : public ::testing::TestWithParam<int> {
 protected:
  static constexpr int kGuard = 64;
  void SetUp() override {
    size = GetParam();
    block.assign(static_cast<size_t>(kGuard * 2 + size * VAR_COUNT), '\x5A');
    std::memset(variables(), 0, static_cast<size_t>(size * VAR_COUNT));
    hostContext = HostContext{};
    registrations = 0;
    extra.RegisterPluginCallback = countRegistration;
    setupHostContext(size, variables(), &top, &extra);
  }
  void TearDown() override {
    while (popStackString(nullptr, 0) == 0) {
    }
    EXPECT_TRUE(guardsIntact());
    hostContext = HostContext{};
  }
  char* variables() { return block.data() + kGuard; }
  bool guardsIntact() const {
    for (int i = 0; i < kGuard; ++i)
      if (block[static_cast<size_t>(i)] != '\x5A' ||
          block[static_cast<size_t>(kGuard + size * VAR_COUNT + i)] != '\x5A')
        return false;
    return true;
  }
  void pushHost(const std::string& text) {
    auto* e = static_cast<stack_t*>(GlobalAlloc(GPTR, static_cast<SIZE_T>(size + 8)));
    std::memcpy(e->text, text.c_str(), text.size() + 1);
    e->next = top;
    top = e;
  }

  int size = 0;
  std::vector<char> block;
  stack_t* top = nullptr;
  extra_parameters extra = {};
};

TEST_P(Frame, SetUpRegistersTheCallbackOnce) {
  setupHostContext(size, variables(), &top, &extra);
  EXPECT_EQ(registrations, 1);
  EXPECT_EQ(pluginCallback(NSPIM_UNLOAD), 0u);
}

TEST_P(Frame, VariablesOutsideTheBlockAreRefused) {
  EXPECT_EQ(getVariable(-1), nullptr);
  EXPECT_EQ(getVariable(25), nullptr);
  EXPECT_EQ(getVariable(0), variables());
  EXPECT_EQ(getVariable(24), variables() + 24 * size);
  setVariable(25, "x");
  setVariable(-1, "x");
  setVariable(3, nullptr);
  for (int i = 0; i < size * VAR_COUNT; ++i) ASSERT_EQ(variables()[i], 0) << i;
}

TEST_P(Frame, OverlongVariableTextIsCutWithoutTouchingTheNext) {
  std::string longText(static_cast<size_t>(size) + 100, 'v');
  setVariable(VAR_LANGUAGE, longText.c_str());  // the last one, next to the guard
  setVariable(VAR_0, longText.c_str());
  EXPECT_EQ(std::strlen(getVariable(VAR_0)), static_cast<size_t>(size - 1));
  EXPECT_EQ(std::strlen(getVariable(VAR_LANGUAGE)), static_cast<size_t>(size - 1));
  EXPECT_EQ(getVariable(VAR_1)[0], '\0');
}

TEST_P(Frame, FullLengthEntriesTravelWholeAndFitSmallerBuffers) {
  std::string full(static_cast<size_t>(size - 1), 'e');
  pushStackString(full.c_str());
  std::vector<char> buffer(static_cast<size_t>(size) + 16, '\x77');
  ASSERT_EQ(popStackString(buffer.data(), static_cast<size_t>(size)), 0);
  EXPECT_EQ(std::string(buffer.data()), full);
  EXPECT_EQ(buffer[static_cast<size_t>(size)], '\x77');

  pushHost(full);
  char small[1024];
  std::memset(small, '\x77', sizeof small);
  ASSERT_EQ(popStackString(small, sizeof small), 0);
  EXPECT_EQ(std::strlen(small), sizeof small - 1);
  EXPECT_EQ(top, nullptr);
}

TEST_P(Frame, PushedTextIsCutToStringSizeMinusOne) {
  std::string longText(static_cast<size_t>(size) * 2, 'p');
  pushStackString(longText.c_str());
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(strnlen(top->text, static_cast<size_t>(size)), static_cast<size_t>(size - 1));
  EXPECT_GE(GlobalSize(top), static_cast<SIZE_T>(size + 8));
}

TEST_P(Frame, EmptyStackLeavesTheBufferAlone) {
  char buffer[8] = "keep";
  EXPECT_EQ(popStackString(buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "keep");
  EXPECT_EQ(popStackInteger(), 0);
}

TEST_P(Frame, IntegersArePoppedInOrder) {
  pushHost("-25");
  pushHost("0x1F");
  pushHost(std::string(static_cast<size_t>(size - 1), '7'));  // cut to 127 digits, wraps
  popStackInteger();
  EXPECT_EQ(popStackInteger(), 31);
  EXPECT_EQ(popStackInteger(), -25);
  EXPECT_EQ(top, nullptr);
}

INSTANTIATE_TEST_SUITE_P(StringSizes, Frame, ::testing::Values(1024, 8192));

}  // namespace
