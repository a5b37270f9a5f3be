#include <cstdio>
#include <memory>

#include "certificate.h"
#include "der_scanner.h"

namespace {

constexpr long kMinFileSize = 9;
constexpr long kMaxFileSize = 59999;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

Certificate::Certificate(const char* path) : extensions_(nullptr), publicKeyInfo_(nullptr) {
  const std::unique_ptr<std::FILE, FileCloser> file(path ? std::fopen(path, "rb") : nullptr);
  if (!file) throw CertificateException(CERT_ERR_OPEN);
  long size = -1;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) size = std::ftell(file.get());
  if (size < kMinFileSize || size > kMaxFileSize || std::fseek(file.get(), 0, SEEK_SET) != 0)
    throw CertificateException(CERT_ERR_DATA);
  ByteBuffer bytes(nullptr, static_cast<int32_t>(size));
  if (std::fread(bytes.data(), 1, static_cast<size_t>(size), file.get()) != static_cast<size_t>(size))
    throw CertificateException(CERT_ERR_DATA);
  if (derElementSize(bytes.data(), bytes.data() + bytes.size()) != bytes.size())
    throw CertificateException(CERT_ERR_DATA);
  der_ = bytes;
  locateElements();
}
