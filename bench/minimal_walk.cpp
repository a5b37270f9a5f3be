#include "minimal_walk.h"

#include <cstring>

namespace {

struct Span {
  const uint8_t* p;
  size_t n;
};

// Reads one element (short or 1-2 byte long length) off the front of *in.
bool next(Span* in, uint8_t* tag, Span* content, Span* whole) {
  if (in->n < 2) return false;
  size_t header = 2;
  size_t length = in->p[1];
  if (length == 0x81 || length == 0x82) {
    const size_t bytes = length & 0x7F;
    if (in->n < 2 + bytes) return false;
    length = bytes == 1 ? in->p[2] : size_t{in->p[2]} << 8 | in->p[3];
    header += bytes;
  } else if (length > 0x80) {
    return false;
  }
  if (length > in->n - header) return false;
  *tag = in->p[0];
  *whole = Span{in->p, header + length};
  *content = Span{in->p + header, length};
  in->p += header + length;
  in->n -= header + length;
  return true;
}

bool expect(Span* in, uint8_t tag, Span* content, Span* whole) {
  uint8_t t;
  return next(in, &t, content, whole) && t == tag;
}

}  // namespace

bool minimalWalk(const uint8_t* der, size_t size, const uint8_t** serial, size_t* serialSize, char* cn,
                 size_t cnCapacity) {
  static const uint8_t kCommonName[] = {0x06, 0x03, 0x55, 0x04, 0x03};
  Span in{der, size}, certificate, tbs, element, whole;
  if (!expect(&in, 0x30, &certificate, &whole) || !expect(&certificate, 0x30, &tbs, &whole)) return false;
  if (tbs.n > 0 && tbs.p[0] == 0xA0 && !expect(&tbs, 0xA0, &element, &whole)) return false;
  if (!expect(&tbs, 0x02, &element, &whole)) return false;
  *serial = whole.p;
  *serialSize = whole.n;
  for (int skip = 0; skip < 3; ++skip)  // signature, issuer, validity
    if (!expect(&tbs, 0x30, &element, &whole)) return false;
  Span subject, set, attribute, value;
  if (!expect(&tbs, 0x30, &subject, &whole)) return false;
  while (subject.n > 0) {
    uint8_t tag;
    if (!expect(&subject, 0x31, &set, &whole) || !expect(&set, 0x30, &attribute, &whole)) return false;
    if (attribute.n < sizeof kCommonName || std::memcmp(attribute.p, kCommonName, sizeof kCommonName) != 0)
      continue;
    attribute.p += sizeof kCommonName;
    attribute.n -= sizeof kCommonName;
    if (!next(&attribute, &tag, &value, &whole) || value.n >= cnCapacity) return false;
    std::memcpy(cn, value.p, value.n);
    cn[value.n] = '\0';
    return true;
  }
  return false;
}
