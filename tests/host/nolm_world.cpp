#include "nolm_world.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

std::string makeTemporaryDirectory() {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  static int counter = 0;
  char name[MAX_PATH];
  std::snprintf(name, sizeof name, "%sqelt-%lu-%d", base, GetCurrentProcessId(), ++counter);
  CreateDirectoryA(name, nullptr);
  return name;
}

void removeTree(const std::string& directory) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = directory + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        removeTree(full);
      else
        DeleteFileA(full.c_str());
    } while (FindNextFileA(search, &data));
    FindClose(search);
  }
  RemoveDirectoryA(directory.c_str());
}

}  // namespace

NolmWorld::NolmWorld(const std::string& config, int stringSize)
    : directory_(makeTemporaryDirectory()) {
  configure(config);
  SetEnvironmentVariableA("NOLM_STANDIN_CONFIG", path("nolm.cfg").c_str());
  SetEnvironmentVariableA("NOLM_STANDIN_LOG", path("calls.log").c_str());
  host_ = std::make_unique<PluginHost>(stringSize);
  host_->setVar(VAR_R0, nolmStandinDirectory("lib"));
  host_->call("InitNolm");
  EXPECT_EQ(host_->var(VAR_0), "1");
}

NolmWorld::~NolmWorld() {
  host_->call("FreeNolm");
  host_.reset();
  SetEnvironmentVariableA("NOLM_STANDIN_CONFIG", nullptr);
  SetEnvironmentVariableA("NOLM_STANDIN_LOG", nullptr);
  removeTree(directory_);
}

void NolmWorld::configure(const std::string& config) { writeFile(path("nolm.cfg"), config); }

bool NolmWorld::open() {
  host_->push(directory_);
  host_->call("OpenNolm");
  return host_->var(VAR_0) == "1";
}

std::vector<std::string> NolmWorld::log() const {
  std::vector<std::string> lines;
  std::istringstream in(readFile(path("calls.log")));
  for (std::string line; std::getline(in, line);)
    if (line.rfind("# ", 0) != 0) lines.push_back(line);
  return lines;
}

void NolmWorld::clearLog() { DeleteFileA(path("calls.log").c_str()); }

std::string NolmWorld::call(const std::string& function) const {
  for (const std::string& line : log())
    if (line.rfind(function + "(", 0) == 0) return line;
  return "";
}

int NolmWorld::callCount(const std::string& function) const {
  int count = 0;
  for (const std::string& line : log()) count += line.rfind(function + "(", 0) == 0;
  return count;
}

std::string fieldHex(const std::string& text) {
  std::string field = text.substr(0, 32);
  field.resize(32, ' ');
  field.push_back('\0');
  std::string hex = "hex:";
  char digits[3];
  for (unsigned char c : field) {
    std::snprintf(digits, sizeof digits, "%02x", c);
    hex += digits;
  }
  return hex;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

bool fileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string logged(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out + "\"";
}
