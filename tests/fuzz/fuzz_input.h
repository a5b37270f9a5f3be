// Splits a fuzz input into a path string (up to the first newline) and the
// DER bytes after it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

struct FuzzInput {
  std::string format;
  const uint8_t* data;
  const uint8_t* end;
};

inline FuzzInput splitInput(const uint8_t* bytes, size_t size) {
  const void* newline = std::memchr(bytes, '\n', size);
  if (!newline) return {std::string(), bytes, bytes + size};
  const size_t formatLength = static_cast<const uint8_t*>(newline) - bytes;
  std::string format(reinterpret_cast<const char*>(bytes), formatLength);
  format = format.c_str();  // up to an embedded zero byte
  return {format, bytes + formatLength + 1, bytes + size};
}
