#include "key_file.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "password_field.h"

namespace {

const char kSignature[] = "NOLM-STANDIN-KEY 1";

bool isFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool hasKeyExtension(const char* name) {
  const char* dot = std::strrchr(name, '.');
  return dot && std::strcmp(dot + 1, "KEY") == 0;
}

std::string joined(const std::string& directory, const std::string& name) {
  if (directory.empty() || directory.back() == '\\' || directory.back() == '/')
    return directory + name;
  return directory + "\\" + name;
}

std::string trimmed(const std::string& text) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  std::size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

bool fieldFromHex(const std::string& value, std::string* field) {
  std::string bytes;
  if (value.compare(0, 4, "hex:") != 0 || !bytesFromHex(value.substr(4), &bytes) ||
      bytes.size() != kPasswordFieldSize)
    return false;
  *field = bytes;
  return true;
}

}  // namespace

std::string keyFilePath(const std::string& directory, const std::string& keyName) {
  return joined(directory, keyName + ".KEY");
}

bool findKeyFile(const std::string& location, std::string* path) {
  if (isFile(location)) {
    *path = location;
    return true;
  }
  if (isFile(location + ".KEY")) {
    *path = location + ".KEY";
    return true;
  }
  if (!isDirectory(location)) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(joined(location, "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  int matches = 0;
  std::string match;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && hasKeyExtension(found.cFileName)) {
      ++matches;
      match = joined(location, found.cFileName);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  if (matches != 1) return false;
  *path = match;
  return true;
}

KeyFileStatus readKeyFile(const std::string& path, KeyFile* key) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return KeyFileStatus::kMissing;
  std::string text;
  char chunk[1024];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0 && text.size() < 65536)
    text.append(chunk, got);
  std::fclose(file);

  KeyFile read;
  bool signed_ = false, hasPassword = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!signed_) {
      if (line != kSignature) return KeyFileStatus::kDamaged;
      signed_ = true;
      continue;
    }
    std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string name = trimmed(line.substr(0, equals));
    std::string value = trimmed(line.substr(equals + 1));
    if (name == "name") {
      read.name = value;
    } else if (name == "password") {
      read.passwordField = fieldFromText(value);
      hasPassword = true;
    } else if (name == "password-field") {
      if (!fieldFromHex(value, &read.passwordField)) return KeyFileStatus::kDamaged;
      hasPassword = true;
    } else if (name == "random-field") {
      if (!fieldFromHex(value, &read.randomField)) return KeyFileStatus::kDamaged;
    }
  }
  if (!signed_ || !hasPassword) return KeyFileStatus::kDamaged;
  *key = read;
  return KeyFileStatus::kOk;
}

bool writeKeyFile(const std::string& path, const KeyFile& key) {
  std::string text = std::string(kSignature) + "\r\nname = " + key.name +
                     "\r\npassword-field = hex:" + hexOf(key.passwordField) + "\r\n";
  if (!key.randomField.empty()) text += "random-field = hex:" + hexOf(key.randomField) + "\r\n";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}
