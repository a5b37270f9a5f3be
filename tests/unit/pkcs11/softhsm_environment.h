// A SoftHSM2 set-up of this test run's own: a temporary token folder, a
// configuration naming it (SOFTHSM2_CONF) and three initialised tokens.
// Removed again when the run ends.
#pragma once

#include <gtest/gtest.h>

#include <string>

constexpr const char* kSoftHsmModule = "/usr/lib/softhsm/libsofthsm2.so";
constexpr const char* kUserPin = "1234";
constexpr const char* kSoPin = "5678";
// Token labels, in the order the tokens are initialised (and listed).
constexpr const char* kWorkToken = "Alpha";     // objects, keys and cryptography
constexpr const char* kPinToken = "Beta";       // PIN changes
constexpr const char* kPrefixToken = "ABtoken"; // label prefix selection

class SoftHsmEnvironment : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;

  // False when SoftHSM2 is not installed or its tokens could not be made.
  static bool available() { return available_; }

 private:
  static bool available_;
  std::string folder_;
};

// Skips the current test when SoftHSM2 is not there.
#define REQUIRE_SOFTHSM()                                                         \
  do {                                                                            \
    if (!SoftHsmEnvironment::available()) GTEST_SKIP() << "SoftHSM2 is not installed"; \
  } while (0)
