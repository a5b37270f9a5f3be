#include "der_scanner.h"

#include <cstring>

#include "der_oid.h"
#include "der_path.h"

namespace {

constexpr size_t kMaxPathOidText = 250;  // an OID in a path has fewer characters
constexpr int64_t kNoCount = -1;
// UTF8String, NumericString, PrintableString, TeletexString, VideotexString,
// IA5String, GraphicString, VisibleString, GeneralString, UniversalString,
// BMPString, as bits indexed by tag.
constexpr uint32_t kStringTags = 0x5E7C1000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
char toLower(char c) { return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }
bool isTagLetter(char lower) {  // b c d e g i n q r s t u x y z, as bits from 'a'
  return lower >= 'a' && lower <= 'z' && ((0x39F215Eu >> (lower - 'a')) & 1);
}

// `lower` is a tag letter; e and y also compare the tag number with the count.
bool tagMatches(char lower, uint8_t tag, int64_t count) {
  const bool nonUniversal = (tag & 0xC0) != 0;
  switch (lower) {
    case 'b': return tag == 0x01;
    case 'c': return tag < 32 && ((kStringTags >> tag) & 1);
    case 'd': return tag == 0x06;
    case 'e': return nonUniversal && (tag & 0x20) && (count == kNoCount || (tag & 0x1F) == count);
    case 'g': return tag == 0x03;
    case 'i': return tag == 0x02;
    case 'n': return tag == 0x05;
    case 'q': return tag == 0x04;
    case 'r': return tag == 0x09;
    case 's': return tag == 0x30;
    case 't': return tag == 0x17 || tag == 0x18;
    case 'u': return tag == 0x31;
    case 'y': return nonUniversal && count != kNoCount && (tag & 0x1F) == count;
    case 'z': return tag == 0x0A;
    default: return true;  // x
  }
}

struct Step {
  bool optional;
  char letter;
  char lower;
  int64_t count;
};

// A lowercase letter before the end: skips its element (x with a count: that
// many), or none when an optional one does not match.
int32_t skip(DerReader* at, const Step& step) {
  const int64_t repeat = (step.letter == 'x' && step.count > 0) ? step.count : 1;
  uint8_t tag;
  DerElement e;
  for (int64_t i = 0; i < repeat; ++i) {
    if (!at->peekTag(&tag)) return DER_ERR_BOUNDS;
    if (!tagMatches(step.lower, tag, step.count)) return step.optional ? DER_OK : DER_ERR_MISMATCH;
    if (!at->getElement(&e)) return DER_ERR_BOUNDS;
  }
  return DER_OK;
}

// An uppercase letter before the end: the reader becomes the element's content.
int32_t enter(DerReader* at, const Step& step) {
  uint8_t tag = 0;
  DerElement e;
  if (!std::strchr("EGQSUY", step.letter)) return DER_ERR_FORMAT;
  if (!at->peekTag(&tag) || !tagMatches(step.lower, tag, step.count)) return DER_ERR_MISMATCH;
  if (!at->enter(&e, at)) return DER_ERR_BOUNDS;
  if (step.letter == 'G' && e.length > 0) at->skip(1);  // the unused-bits byte
  return DER_OK;
}

// The last letter: its element, or for an uppercase letter its content (a bit
// string's without the unused-bits byte).
int32_t select(const DerReader& at, const Step& step, DerSelected* out) {
  uint8_t tag = 0;
  DerElement e;
  DerReader r = at;
  r.peekTag(&tag);
  if (!tagMatches(step.lower, tag, step.count)) return DER_ERR_LAST;
  if (!r.getElement(&e)) return DER_ERR_BOUNDS;
  DerSelected s{e.start, static_cast<int32_t>(e.size()), 0};
  if (isUpper(step.letter)) {
    const bool bitString = tag == 0x03 && (step.lower == 'g' || step.lower == 'x');
    if (bitString && e.length == 0) return DER_ERR_BOUNDS;
    s = DerSelected{e.content() + bitString, static_cast<int32_t>(e.length) - bitString, tag};
  }
  *out = s;
  return DER_OK;
}

int64_t readCount(const char** path) {
  const char* p = *path;
  if (!isDigit(*p)) return kNoCount;
  int64_t count = 0;
  for (; isDigit(*p); ++p) {
    count = count * 10 + (*p - '0');
    if (count > INT32_MAX) count = INT32_MAX;
  }
  *path = p;
  return count;
}

}  // namespace

int32_t derPathOid(const char** path, uint8_t* out) {
  const char* text = *path;
  size_t length = 0;
  while (isDigit(text[length]) || text[length] == '.') ++length;
  *path = text + length;
  if (length >= kMaxPathOidText) return 0;
  return derOidFromTextRun(text, length, out, kDerPathOidCapacity);
}

int32_t derPathSearch(DerReader* at, bool inSet, const uint8_t* oid, size_t oidLength) {
  uint8_t tag;
  DerElement e;
  DerReader list;
  if (!at->peekTag(&tag) || tag != (inSet ? 0x31 : 0x30)) return DER_ERR_MISMATCH;
  if (!at->enter(&e, &list)) return DER_ERR_BOUNDS;
  if (!list.peekTag(&tag)) return DER_ERR_MISMATCH;
  const uint8_t childTag = tag == 0x31 ? 0x31 : 0x30;
  while (list.peekTag(&tag)) {
    if (tag != childTag) return DER_ERR_MISMATCH;
    DerElement child;
    DerReader inner;
    if (!list.enter(&child, &inner)) return DER_ERR_BOUNDS;
    // Without a definite length the child's end is unknown: stop here.
    if (!child.definite) return DER_ERR_BOUNDS;
    const uint8_t* childEnd = inner.end();
    if (childTag == 0x31) {
      if (!inner.peekTag(&tag) || tag != 0x30) return DER_ERR_MISMATCH;
      DerReader sequence;
      if (!inner.enter(&e, &sequence)) return DER_ERR_BOUNDS;
      inner = sequence;
    }
    if (!inner.peekTag(&tag) || tag != 0x06) continue;
    if (!inner.getElement(&e)) return DER_ERR_BOUNDS;
    bool same = e.definite && e.length == oidLength;
    for (size_t i = 0; same && i < oidLength; ++i) same = e.content()[i] == oid[i];  // short: no call
    if (same) {
      *at = DerReader::between(inner.data(), childEnd);
      return DER_OK;
    }
  }
  return DER_ERR_MISMATCH;
}

int32_t derElementSize(const uint8_t* element, const uint8_t* limit) {
  DerReader r = DerReader::between(element, limit);
  DerElement e;
  if (!r.getHeader(&e) || !e.definite || e.size() > INT32_MAX) return 0;
  return static_cast<int32_t>(e.size());
}

int32_t derReadLength(const uint8_t** cursor, const uint8_t* limit) {
  DerReader r = DerReader::between(*cursor, limit);
  uint32_t length;
  bool definite;
  if (!r.getLength(&length, &definite) || length > INT32_MAX) return -1;
  *cursor = r.data();
  return static_cast<int32_t>(length);
}

int32_t derPathStart(const uint8_t* element, const uint8_t* limit, DerReader* at) {
  DerReader r = DerReader::between(element, limit);
  DerElement e;
  if (!r.getElement(&e) || !e.definite || e.size() > INT32_MAX) return DER_ERR_BOUNDS;
  *at = DerReader(element, e.size());
  return DER_OK;
}

int32_t derPathWalk(DerReader* at, const char* path, DerSelected* out) {
  if (!path) return DER_ERR_FORMAT;
  for (const char* f = path;;) {
    while (*f == ' ') ++f;
    if (at->empty()) return DER_ERR_BOUNDS;
    Step step{*f == 'o', '\0', '\0', kNoCount};
    if (step.optional) ++f;
    step.letter = *f++;
    step.lower = toLower(step.letter);
    int32_t status;
    if (step.letter == 'f' || step.letter == 'F' || step.letter == 'a') {
      uint8_t oid[kDerPathOidCapacity];
      const int32_t oidLength = derPathOid(&f, oid);
      if (oidLength == 0) return DER_ERR_FORMAT;
      status = derPathSearch(at, step.letter == 'a', oid, static_cast<size_t>(oidLength));
      if (status == DER_OK && *f == '\0') *out = DerSelected{at->data(), static_cast<int32_t>(at->size()), 0};
    } else {
      if (!isTagLetter(step.lower)) return DER_ERR_FORMAT;  // also the end of the path
      if (step.lower == 'e' || step.lower == 'y' || step.letter == 'x') step.count = readCount(&f);
      if ((step.letter == 'G' || step.letter == 'Q') && *f == '=') ++f;
      if (*f == '\0') return select(*at, step, out);
      status = isUpper(step.letter) ? enter(at, step) : skip(at, step);
    }
    if (status != DER_OK || *f == '\0') return status;
  }
}

int32_t derSelect(const uint8_t* element, const uint8_t* limit, const char* path, DerSelected* out) {
  if (!path) return DER_ERR_FORMAT;
  DerReader at;
  const int32_t status = derPathStart(element, limit, &at);
  return status != DER_OK ? status : derPathWalk(&at, path, out);
}

int32_t derScan(const uint8_t* element, const uint8_t* limit, const char* format,
                const uint8_t** out, int32_t* outLength) {
  DerSelected s;
  const int32_t status = derSelect(element, limit, format, &s);
  if (status != DER_OK) return status;
  if (out) *out = s.data;
  if (outLength) *outLength = s.length;
  return DER_OK;
}
