#include "key_request.h"

#include <cstdint>

namespace {

// `text` cut or zero-padded to `size` bytes.
std::string padded(const std::string& text, std::size_t size) {
  std::string part = text.substr(0, size);
  part.resize(size, '\0');
  return part;
}

std::uint32_t fnv1a(const std::string& bytes) {
  std::uint32_t hash = 2166136261u;
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 16777619u;
  return hash;
}

}  // namespace

std::string keyRequest(const std::string& keyName, const std::string& random,
                       const std::string& reader) {
  std::string request = "NOLMREQ1";
  request += padded(keyName, 32);
  request += padded(random, 32);
  request += padded(reader, 32);
  // Bytes that text-mode writing or string copying would damage.
  request += std::string("\r\n\x1a\0", 4);
  std::uint32_t state = fnv1a(keyName + "|" + random);
  while (request.size() < kKeyRequestSize) {
    state = state * 1103515245u + 12345u;
    request.push_back(static_cast<char>(state >> 24));
  }
  return request;
}
