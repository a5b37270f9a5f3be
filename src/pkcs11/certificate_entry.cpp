#include "certificate_entry.h"

#include <cstdint>
#include <cstring>

#include "format_text.h"
#include "utf8_to_ansi.h"

namespace {

// DER header size of the element at data: tag, then a one-byte length or a
// 0x8n byte followed by n length bytes. 0 when it does not fit in size.
size_t derHeaderSize(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  size_t header = 2;
  if (data[1] & 0x80) header += data[1] & 0x7F;
  return header <= size ? header : 0;
}

}  // namespace

bool keyNumberText(const ByteBuffer& serialNumber, char* text, size_t capacity) {
  if (!text || capacity == 0) return false;
  text[0] = '\0';
  const uint8_t* data = serialNumber.data();
  const size_t size = static_cast<size_t>(serialNumber.size());
  const size_t header = derHeaderSize(data, size);
  if (header == 0) return false;

  static const char kHexDigits[] = "0123456789abcdef";
  size_t length = 0;
  for (size_t i = header; i < size && length + 2 < capacity; ++i) {
    text[length++] = kHexDigits[data[i] >> 4];
    text[length++] = kHexDigits[data[i] & 0x0F];
  }
  if (length + 1 < capacity) text[length++] = 'Z';
  text[length] = '\0';
  return true;
}

CertificateEntry formatCertificateEntry(const char* utf8OwnerName, const char* keyNumber) {
  // The name, " (", exactly 8 characters of key number, ")".
  CertificateEntry entry;
  char ansiName[kCertificateEntryCapacity];
  utf8ToAnsi(utf8OwnerName, ansiName, sizeof ansiName);
  formatText(entry.text, sizeof entry.text, "%s (%-8.8s)", ansiName, keyNumber);
  formatText(entry.utf8, sizeof entry.utf8, "%s (%-8.8s)", utf8OwnerName, keyNumber);
  return entry;
}

