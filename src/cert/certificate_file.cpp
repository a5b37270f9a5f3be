#include <cstdio>

#include "certificate.h"
#include "der_scanner.h"

namespace {

constexpr long kMinFileSize = 9;
constexpr long kMaxFileSize = 59999;

class File {
 public:
  explicit File(const char* path) : file_(path ? std::fopen(path, "rb") : nullptr) {}
  ~File() {
    if (file_) std::fclose(file_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  std::FILE* get() const { return file_; }

 private:
  std::FILE* file_;
};

}  // namespace

Certificate::Certificate(const char* path) : extensions_(nullptr), publicKeyInfo_(nullptr) {
  File file(path);
  if (!file.get()) throw CertificateException(CERT_ERR_OPEN);
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
