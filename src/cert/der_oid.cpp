#include "der_oid.h"

#include <cstring>

namespace {

constexpr uint64_t kMaxArc = 0x7FFFFFFF;

bool isDigit(const char* p, const char* end) { return p < end && *p >= '0' && *p <= '9'; }

// Parses one decimal arc at *text; false when there is no digit or it is
// larger than kMaxArc.
bool readArc(const char** text, const char* end, uint64_t* value) {
  const char* p = *text;
  if (!isDigit(p, end)) return false;
  uint64_t v = 0;
  while (isDigit(p, end)) {
    v = v * 10 + static_cast<uint64_t>(*p - '0');
    if (v > kMaxArc) return false;
    ++p;
  }
  *text = p;
  *value = v;
  return true;
}

// Appends one subidentifier in base 128, most significant group first.
bool writeSubidentifier(uint64_t value, uint8_t* out, int32_t capacity, int32_t* used) {
  uint8_t groups[10];
  int count = 0;
  do {
    groups[count++] = static_cast<uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  if (count > capacity - *used) return false;
  while (count > 0) {
    --count;
    out[(*used)++] = static_cast<uint8_t>(groups[count] | (count > 0 ? 0x80 : 0x00));
  }
  return true;
}

}  // namespace

int32_t derOidFromTextRun(const char* text, size_t length, uint8_t* out, int32_t capacity) {
  if (!text || !out || capacity <= 0 || length < 3) return 0;
  const char* end = text + length;
  if (text[0] < '0' || text[0] > '2' || text[1] != '.') return 0;
  const uint64_t first = static_cast<uint64_t>(text[0] - '0');
  const char* p = text + 2;
  uint64_t second = 0;
  if (!readArc(&p, end, &second)) return 0;
  int32_t used = 0;
  if (!writeSubidentifier(first * 40 + second, out, capacity, &used)) return 0;
  while (p < end && *p == '.') {
    ++p;
    uint64_t arc = 0;
    if (!readArc(&p, end, &arc)) return 0;
    if (!writeSubidentifier(arc, out, capacity, &used)) return 0;
  }
  return p == end ? used : 0;
}

int32_t derOidFromText(const char* text, uint8_t* out, int32_t capacity) {
  return text ? derOidFromTextRun(text, std::strlen(text), out, capacity) : 0;
}

int32_t derEncodeOid(const char* text, uint8_t* out, int32_t capacity) {
  if (!out || capacity < 3) return 0;
  const int32_t room = capacity - 2 < 127 ? capacity - 2 : 127;
  const int32_t length = derOidFromText(text, out + 2, room);
  if (length == 0) return 0;
  out[0] = 0x06;
  out[1] = static_cast<uint8_t>(length);
  return length + 2;
}
