// The simulated world as nolm.cfg describes it (format: README.md).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct CardKey {
  std::string name;
  std::string passwordField;  // 33 bytes
};

struct Reader {
  std::string name;
  bool cardInserted = true;
  std::string pinField;  // 33 bytes
  std::vector<CardKey> keys;
  std::optional<int> reportedCount;  // written instead of the number of keys
};

struct PlasticCard {
  bool present = true;
  std::string pin = "1234";
  std::vector<std::string> keys;
  std::optional<int> reportedCount;
};

struct CertificateEntry {
  std::string id;
  std::string name;
  std::uint16_t endDate = 0;
  bool nameUnterminated = false;
};

struct Config {
  int version = 5;
  int database = 0;
  int open = 0;
  int close = 0;
  int daysSecret = 30;
  int daysAdmin = 90;
  std::vector<Reader> readers;
  PlasticCard plasticCard;
  std::vector<CertificateEntry> certificates;
  std::map<int, std::string> messages;
  std::map<std::string, int> results;
  bool noCardTable = false;  // result.KMGetFuncs = null
};

Config defaultConfig();
// Parses the text of a configuration file over the defaults. Lines that
// cannot be used are skipped and described in `problems`.
Config parseConfig(const std::string& text, std::vector<std::string>* problems);
