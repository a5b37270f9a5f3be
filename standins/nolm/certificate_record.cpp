#include "certificate_record.h"

#include <cstdio>
#include <cstring>

namespace {
constexpr std::size_t kIdOffset = 12, kIdSize = 8;
constexpr std::size_t kNameOffset = 20, kNameSize = 42;
constexpr std::size_t kDateOffset = 62;
constexpr std::size_t kTailOffset = 64;
}  // namespace

void fillCertificateRecord(unsigned char* record, const CertificateEntry& entry,
                           std::size_t index) {
  std::memset(record, 0, kCertificateRecordSize);
  char serial[16];
  std::snprintf(serial, sizeof serial, "record%06u", static_cast<unsigned>((index + 1) % 1000000));
  std::memcpy(record, serial, 12);

  std::memcpy(record + kIdOffset, entry.id.data(),
              entry.id.size() < kIdSize ? entry.id.size() : kIdSize);

  if (entry.nameUnterminated) {
    std::memset(record + kNameOffset, ' ', kNameSize);
    std::memcpy(record + kNameOffset, entry.name.data(),
                entry.name.size() < kNameSize ? entry.name.size() : kNameSize);
  } else {
    std::memcpy(record + kNameOffset, entry.name.data(),
                entry.name.size() < kNameSize - 1 ? entry.name.size() : kNameSize - 1);
  }

  record[kDateOffset] = static_cast<unsigned char>(entry.endDate & 0xFF);
  record[kDateOffset + 1] = static_cast<unsigned char>(entry.endDate >> 8);
  // Bytes the plug-in never reads; not zero, so that reading past the name
  // shows.
  std::memset(record + kTailOffset, '#', kCertificateRecordSize - kTailOffset);
}
