#include "der_values.h"

#include <cstring>

#include "der_scanner.h"

int32_t derScanCopy(const uint8_t* element, const uint8_t* limit, const char* format, void* dest,
                    int32_t destSize) {
  if (!dest || destSize < 0) return DER_ERR_SPACE;
  std::memset(dest, 0, static_cast<size_t>(destSize));
  DerSelected s;
  const int32_t status = derSelect(element, limit, format, &s);
  if (status != DER_OK) return status;
  std::memcpy(dest, s.data, static_cast<size_t>(s.length < destSize ? s.length : destSize));
  return s.length > destSize ? DER_ERR_SPACE : DER_OK;
}

int32_t derScanInteger(const uint8_t* element, const uint8_t* limit, const char* format,
                       void* dest, int32_t destSize) {
  if (!dest || destSize < 0) return DER_ERR_SPACE;
  DerSelected s;
  const int32_t status = derSelect(element, limit, format, &s);
  if (status != DER_OK) return status;
  const uint8_t* content = s.data;
  const int32_t length = s.length;
  uint8_t* bytes = static_cast<uint8_t*>(dest);
  if (length > destSize) {
    std::memcpy(bytes, content, static_cast<size_t>(destSize));
    return DER_ERR_SPACE;
  }
  if (length == 0) return DER_ERR_BOUNDS;  // no byte to take the sign from
  const bool negative = (content[0] & 0x80) != 0;
  for (int32_t i = 0; i < length; ++i) bytes[i] = content[length - 1 - i];
  std::memset(bytes + length, negative ? 0xFF : 0x00, static_cast<size_t>(destSize - length));
  return DER_OK;
}

int32_t derScanInt32(const uint8_t* element, const uint8_t* limit, const char* format,
                     int32_t* out) {
  uint8_t bytes[4];
  const int32_t status = derScanInteger(element, limit, format, bytes, sizeof bytes);
  if (status != DER_OK) return status;
  const uint32_t value = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                         uint32_t{bytes[3]} << 24;
  *out = static_cast<int32_t>(value);
  return DER_OK;
}

int32_t derBoolValue(const DerSelected& selected, bool* out) {
  if (selected.length > 1) return DER_ERR_SPACE;
  if (selected.length == 0) return DER_ERR_BOUNDS;
  *out = selected.data[0] != 0;
  return DER_OK;
}

int32_t derScanBool(const uint8_t* element, const uint8_t* limit, const char* format, bool* out) {
  DerSelected selected;
  const int32_t status = derSelect(element, limit, format, &selected);
  return status != DER_OK ? status : derBoolValue(selected, out);
}

namespace {

constexpr uint8_t kBmpStringTag = 0x1E;

int utf8Size(unsigned unit) { return unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3; }

char* putUtf8(unsigned unit, char* out) {
  if (unit < 0x80) {
    *out++ = static_cast<char>(unit);
  } else if (unit < 0x800) {
    *out++ = static_cast<char>(0xC0 | unit >> 6);
    *out++ = static_cast<char>(0x80 | (unit & 0x3F));
  } else {
    *out++ = static_cast<char>(0xE0 | unit >> 12);
    *out++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (unit & 0x3F));
  }
  return out;
}

}  // namespace

int32_t derScanString(const uint8_t* element, const uint8_t* limit, const char* format,
                      char* output, int32_t* size) {
  DerSelected selected;
  const int32_t status = derSelect(element, limit, format, &selected);
  return status != DER_OK ? status : derStringValue(selected, output, size);
}

int32_t derStringValue(const DerSelected& selected, char* output, int32_t* size) {
  const uint8_t* content = selected.data;
  const int32_t length = selected.length;
  const int32_t capacity = *size;
  if (selected.tag != kBmpStringTag) {
    if (length == INT32_MAX) return DER_ERR_SPACE;
    *size = length + 1;
    if (!output) return DER_OK;
    if (capacity < length + 1) return DER_ERR_SPACE;
    std::memcpy(output, content, static_cast<size_t>(length));
    output[length] = '\0';
    return DER_OK;
  }
  const int32_t units = length / 2;  // an odd last byte is not a whole unit
  int64_t required = 1;
  for (int32_t i = 0; i < units; ++i) required += utf8Size(unsigned{content[2 * i]} << 8 | content[2 * i + 1]);
  if (required > INT32_MAX) return DER_ERR_SPACE;
  *size = static_cast<int32_t>(required);
  if (!output) return DER_OK;
  if (capacity < required) return DER_ERR_SPACE;
  char* out = output;
  for (int32_t i = 0; i < units; ++i) out = putUtf8(unsigned{content[2 * i]} << 8 | content[2 * i + 1], out);
  *out = '\0';
  return DER_OK;
}
