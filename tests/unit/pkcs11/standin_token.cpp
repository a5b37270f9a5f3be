#include "standin_token.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

void setEnvironment(const char* name, const std::string& value) {
#if defined(_WIN32)
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

}  // namespace

void StandinTokenTest::SetUp() {
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  std::filesystem::path folder;
  do {
    folder = base / ("qelt-token-" + std::to_string(random()));
  } while (!std::filesystem::create_directory(folder));
  folder_ = folder.string();
  setEnvironment("QELT_TOKEN_COUNTERS", (folder / "counters.txt").string());
  configure("");
}

void StandinTokenTest::TearDown() {
  setEnvironment("QELT_TOKEN_CONFIG", "");
  setEnvironment("QELT_TOKEN_COUNTERS", "");
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void StandinTokenTest::configure(const std::string& config) {
  const std::string path = (std::filesystem::path(folder_) / "token.conf").string();
  std::ofstream(path) << config;
  setEnvironment("QELT_TOKEN_CONFIG", path);
  resetCounters();
}

void StandinTokenTest::resetCounters() {
  std::error_code ignored;
  std::filesystem::remove(std::filesystem::path(folder_) / "counters.txt", ignored);
}

std::map<std::string, unsigned long> StandinTokenTest::counters() const {
  std::map<std::string, unsigned long> values;
  std::ifstream in(std::filesystem::path(folder_) / "counters.txt");
  std::string name;
  unsigned long value;
  while (in >> name >> value) values[name] = value;
  return values;
}

unsigned long StandinTokenTest::counter(const std::string& name) const {
  const auto values = counters();
  const auto it = values.find(name);
  return it == values.end() ? 0 : it->second;
}

const char* StandinTokenTest::moduleFile() { return QELT_TOKEN_STANDIN; }

std::string StandinTokenTest::dataFile(const std::string& name) { return std::string(QELT_TOKEN_DATA) + "/" + name; }

void StandinTokenTest::expectNothingLeftOpen() const {
  const auto values = counters();
  auto get = [&](const char* name) {
    const auto it = values.find(name);
    return it == values.end() ? 0ul : it->second;
  };
  EXPECT_EQ(get("call.C_Finalize"), get("initialize")) << "an initialised module was not finalised";
  EXPECT_EQ(get("call.C_CloseSession"), get("sessions_opened")) << "a session was not closed";
  EXPECT_EQ(get("loads"), get("unloads")) << "the module was not unloaded";
}
