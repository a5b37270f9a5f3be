// Test fixture around the stand-in token module: writes its configuration,
// points the module at it and at a fresh counters file, and reads the
// counters back (standins/token/README.md).
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

class StandinTokenTest : public ::testing::Test {
 public:
  // The stand-in module to load.
  static const char* moduleFile();
  // A file of tests/data/token.
  static std::string dataFile(const std::string& name);

 protected:
  void SetUp() override;
  void TearDown() override;

  // Uses config as the module's configuration and starts the counters anew.
  void configure(const std::string& config);
  // Starts the counters anew.
  void resetCounters();
  std::map<std::string, unsigned long> counters() const;
  unsigned long counter(const std::string& name) const;

  // Every successful C_Initialize met its C_Finalize, every session opened was
  // asked to close, and the library was unloaded as often as loaded.
  void expectNothingLeftOpen() const;

 private:
  std::string folder_;
};
