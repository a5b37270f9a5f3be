#include "softhsm_environment.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

bool SoftHsmEnvironment::available_ = false;

namespace {

bool initToken(const char* label) {
  const std::string command = std::string("softhsm2-util --init-token --free --label ") + label + " --pin " +
                              kUserPin + " --so-pin " + kSoPin + " >/dev/null";
  return std::system(command.c_str()) == 0;
}

}  // namespace

void SoftHsmEnvironment::SetUp() {
  if (access(kSoftHsmModule, R_OK) != 0 || std::system("command -v softhsm2-util >/dev/null") != 0) return;

  char folder[] = "/tmp/qelt-softhsm-XXXXXX";
  if (!mkdtemp(folder)) return;
  folder_ = folder;
  const std::string tokens = folder_ + "/tokens";
  const std::string config = folder_ + "/softhsm2.conf";
  std::filesystem::create_directory(tokens);
  std::ofstream(config) << "directories.tokendir = " << tokens << "\n"
                        << "objectstore.backend = file\n"
                        << "log.level = ERROR\n"
                        << "slots.removable = false\n";
  setenv("SOFTHSM2_CONF", config.c_str(), 1);
  available_ = initToken(kWorkToken) && initToken(kPinToken) && initToken(kPrefixToken);
}

void SoftHsmEnvironment::TearDown() {
  if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

namespace {
::testing::Environment* const softHsmEnvironment = ::testing::AddGlobalTestEnvironment(new SoftHsmEnvironment);
}
