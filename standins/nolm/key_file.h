// Key files that KeyGenX writes and NolmLoadSecKey reads (format: README.md).
#pragma once

#include <string>

struct KeyFile {
  std::string name;
  std::string passwordField;  // 33 bytes
  std::string randomField;    // 33 bytes, or empty when the file has none
};

enum class KeyFileStatus { kOk, kMissing, kDamaged };

// <directory>[\]<key name>.KEY; no separator is added after \ or /, nor to
// an empty directory.
std::string keyFilePath(const std::string& directory, const std::string& keyName);

// The key file a location names: the file itself, else the location with
// ".KEY" appended, else the only *.KEY file of the directory it names.
bool findKeyFile(const std::string& location, std::string* path);

KeyFileStatus readKeyFile(const std::string& path, KeyFile* key);
bool writeKeyFile(const std::string& path, const KeyFile& key);
