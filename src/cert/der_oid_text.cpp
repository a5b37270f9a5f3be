// OBJECT IDENTIFIER content to dotted text, and matching that text against a
// list. Arcs of any size are rendered exactly.
#include <cstring>

#include "der_scanner.h"
#include "der_values.h"

namespace {

// An arc of up to kMaxLimbs * 9 decimal digits (about 3800 bits) is
// rendered; a longer one makes the content unrenderable.
constexpr size_t kMaxLimbs = 128;
constexpr uint32_t kLimbBase = 1000000000;
constexpr size_t kRenderCapacity = kMaxLimbs * 9 + 1;
constexpr int32_t kListOidCapacity = 252;

// The decimal digits of value, zero-padded to at least width (at most 20);
// out needs room for max(width, 20) characters. Returns how many were written.
size_t putDecimal(uint64_t value, size_t width, char* out) {
  char digits[20];
  size_t n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value);
  while (n < width && n < sizeof digits) digits[n++] = '0';
  for (size_t i = 0; i < n; ++i) out[i] = digits[n - 1 - i];
  return n;
}

// Appends pieces while the text and its terminator fit; counts them always.
class TextWriter {
 public:
  TextWriter(char* out, int32_t capacity) : out_(out), capacity_(capacity) {}

  void put(const char* piece, size_t length) {
    if (writing_ && out_ && used_ + static_cast<int64_t>(length) + 1 <= capacity_) {
      std::memcpy(out_ + used_, piece, length);
      out_[used_ + static_cast<int64_t>(length)] = '\0';
    } else {
      writing_ = false;
    }
    used_ += static_cast<int64_t>(length);
  }
  int64_t required() const { return used_ + 1; }

 private:
  char* out_;
  int64_t capacity_;
  int64_t used_ = 0;
  bool writing_ = true;
};

// A non-negative number held in base 10^9, least significant limb first.
struct BigArc {
  uint32_t limbs[kMaxLimbs];
  size_t count = 0;

  bool shiftInGroup(uint8_t group) {
    uint64_t carry = group;
    for (size_t i = 0; i < count; ++i) {
      const uint64_t value = uint64_t{limbs[i]} * 128 + carry;
      limbs[i] = static_cast<uint32_t>(value % kLimbBase);
      carry = value / kLimbBase;
    }
    if (carry == 0) return true;
    if (count == kMaxLimbs) return false;
    limbs[count++] = static_cast<uint32_t>(carry);
    return true;
  }

  // Subtracts a small value not larger than the number.
  void subtract(uint32_t value) {
    for (size_t i = 0; i < count && value; ++i) {
      const bool borrow = limbs[i] < value;
      limbs[i] = limbs[i] + (borrow ? kLimbBase : 0) - value;
      value = borrow;
    }
    while (count > 0 && limbs[count - 1] == 0) --count;
  }

  // Decimal digits into text, which holds kRenderCapacity characters.
  size_t render(char* text) const {
    if (count == 0) return putDecimal(0, 1, text);
    size_t used = putDecimal(limbs[count - 1], 1, text);
    for (size_t i = count - 1; i-- > 0;) used += putDecimal(limbs[i], 9, text + used);
    return used;
  }
};

// Writes "." (unless first) and the arc's decimal digits; the first
// subidentifier holds the first two arcs.
bool putArc(TextWriter* writer, const uint8_t* groups, size_t count, bool first) {
  BigArc arc;
  for (size_t i = 0; i < count; ++i)
    if (!arc.shiftInGroup(groups[i] & 0x7F)) return false;
  char text[kRenderCapacity + 24];
  size_t n = 0;
  if (first) {
    const uint32_t low = arc.count == 0 ? 0 : arc.limbs[0];
    const uint32_t top = arc.count > 1 || low >= 80 ? 2 : low / 40;
    arc.subtract(top * 40);
    n = putDecimal(top, 1, text);
  }
  text[n++] = '.';
  n += arc.render(text + n);
  writer->put(text, n);
  return true;
}

bool isListSeparator(char c) { return c == ',' || c == ' ' || c == '\t'; }

}  // namespace

int32_t derScanOidText(const uint8_t* element, const uint8_t* limit, const char* format,
                       char* output, int32_t* size) {
  DerSelected oid;
  const int32_t status = derSelect(element, limit, format, &oid);
  if (status != DER_OK) return status;
  const uint8_t* content = oid.data;
  const int32_t length = oid.length;
  if (length <= 0) return DER_ERR_LAST;
  TextWriter writer(output, output ? *size : 0);
  bool first = true;
  for (int32_t i = 0; i < length;) {
    const int32_t start = i;
    while (i < length && (content[i] & 0x80)) ++i;
    if (i < length) ++i;  // the last group of the subidentifier
    if (!putArc(&writer, content + start, static_cast<size_t>(i - start), first)) return DER_ERR_LAST;
    first = false;
  }
  if (writer.required() > INT32_MAX) return DER_ERR_SPACE;
  const int32_t required = static_cast<int32_t>(writer.required());
  const int32_t capacity = *size;
  *size = required;
  if (output && capacity < required) return DER_ERR_SPACE;
  return DER_OK;
}

bool derOidInList(const uint8_t* oidElement, const uint8_t* limit, const char* list) {
  if (!list || !*list) return false;
  char text[kListOidCapacity];
  int32_t size = kListOidCapacity;
  if (derScanOidText(oidElement, limit, "D", text, &size) != DER_OK) return false;
  const size_t length = std::strlen(text);
  const char* p = list;
  while (*p) {
    if (std::strncmp(p, text, length) == 0 && (p[length] == ',' || p[length] == '\0')) return true;
    while (*p && !isListSeparator(*p)) ++p;
    while (isListSeparator(*p)) ++p;
  }
  return false;
}
