// A simulated library world for one test: a data folder with nolm.cfg, the
// stand-in's call log, the plug-in loaded and InitNolm done.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "plugin_host.h"

class NolmWorld {
 public:
  explicit NolmWorld(const std::string& config, int stringSize = 1024);
  ~NolmWorld();

  PluginHost& host() { return *host_; }
  const std::string& dataDirectory() const { return directory_; }  // no trailing '\'
  std::string path(const std::string& name) const { return directory_ + "\\" + name; }

  // Rewrites nolm.cfg; the stand-in picks it up at its next call.
  void configure(const std::string& config);
  // OpenNolm with the data directory; true when $0 = "1".
  bool open();

  std::vector<std::string> log() const;
  void clearLog();
  // The first logged call of function (the whole line), or "" when none.
  std::string call(const std::string& function) const;
  int callCount(const std::string& function) const;

 private:
  std::string directory_;
  std::unique_ptr<PluginHost> host_;
};

// The password field the library should receive for text, as the log shows it.
std::string fieldHex(const std::string& text);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);
bool fileExists(const std::string& path);
// text as the call log writes it: "..." with \ and " escaped.
std::string logged(const std::string& text);
