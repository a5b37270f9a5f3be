#include "der_scanner.h"

#include <cstring>

#include "der_header.h"
#include "der_oid.h"
#include "der_path.h"

namespace {

constexpr size_t kMaxPathOidText = 250;  // an OID in a path has fewer characters
constexpr int32_t kMaxOidContent = 128;
constexpr int64_t kNoCount = -1;

// Every element read lies within the current container, and the outermost
// container within the data, so no read goes past the data.
using Cursor = DerCursor;

struct Step {
  bool optional;
  char letter;
  int64_t count;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
char toLower(char c) { return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

// The tags each tag-test letter accepts, as 256-bit sets indexed by letter.
// 'e' and 'y' compare the tag number with their count on top of this.
struct TagSet {
  uint64_t bits[4];
  bool has(uint8_t tag) const { return (bits[tag >> 6] >> (tag & 63)) & 1; }
};

constexpr bool acceptsTag(char lower, unsigned tag) {
  const bool nonUniversal = (tag & 0xC0) != 0;
  switch (lower) {
    case 'b': return tag == 0x01;
    case 'c':
      return tag == 0x0C || tag == 0x12 || tag == 0x13 || tag == 0x14 || tag == 0x15 || tag == 0x16 ||
             tag == 0x19 || tag == 0x1A || tag == 0x1B || tag == 0x1C || tag == 0x1E;
    case 'd': return tag == 0x06;
    case 'e': return nonUniversal && (tag & 0x20) != 0;
    case 'g': return tag == 0x03;
    case 'i': return tag == 0x02;
    case 'n': return tag == 0x05;
    case 'q': return tag == 0x04;
    case 'r': return tag == 0x09;
    case 's': return tag == 0x30;
    case 't': return tag == 0x17 || tag == 0x18;
    case 'u': return tag == 0x31;
    case 'x': return true;
    case 'y': return nonUniversal;
    case 'z': return tag == 0x0A;
    default: return false;
  }
}

struct TagTable {
  TagSet sets[26];
  bool known[26];
};

constexpr TagTable makeTagTable() {
  TagTable table{};
  for (int letter = 0; letter < 26; ++letter) {
    for (unsigned tag = 0; tag < 256; ++tag) {
      if (acceptsTag(static_cast<char>('a' + letter), tag)) {
        table.sets[letter].bits[tag >> 6] |= uint64_t{1} << (tag & 63);
        table.known[letter] = true;
      }
    }
  }
  return table;
}

constexpr TagTable kTagTable = makeTagTable();

// What a format character can be as a step letter, looked up once per step.
enum LetterKind : uint8_t { kInvalid, kSearch, kTagTest };
struct LetterClass {
  LetterKind kind;
  char lower;
  bool upper;
  bool enters;      // an uppercase letter that may enter its element
  bool counted;     // takes a decimal count: E e Y y x
  bool takesEquals; // G Q
};

constexpr LetterClass classify(unsigned char c) {
  LetterClass k{kInvalid, 0, false, false, false, false};
  const char ch = static_cast<char>(c);
  if (ch == 'f' || ch == 'F' || ch == 'a') {
    k.kind = kSearch;
    return k;
  }
  const bool upper = ch >= 'A' && ch <= 'Z';
  const char lower = upper ? static_cast<char>(ch - 'A' + 'a') : ch;
  if (!(lower >= 'a' && lower <= 'z' && kTagTable.known[lower - 'a'])) return k;
  k.kind = kTagTest;
  k.lower = lower;
  k.upper = upper;
  k.enters = upper && (ch == 'E' || ch == 'G' || ch == 'Q' || ch == 'S' || ch == 'U' || ch == 'Y');
  k.counted = lower == 'e' || lower == 'y' || ch == 'x';
  k.takesEquals = ch == 'G' || ch == 'Q';
  return k;
}

struct LetterTable {
  LetterClass classes[256];
};

constexpr LetterTable makeLetterTable() {
  LetterTable table{};
  for (unsigned c = 0; c < 256; ++c) table.classes[c] = classify(static_cast<unsigned char>(c));
  return table;
}

constexpr LetterTable kLetters = makeLetterTable();

// lower must be a tag letter.
bool tagMatches(char lower, uint8_t tag, int64_t count) {
  if (!kTagTable.sets[lower - 'a'].has(tag)) return false;
  if (lower == 'e') return count == kNoCount || (tag & 0x1F) == count;
  if (lower == 'y') return count != kNoCount && (tag & 0x1F) == count;
  return true;
}

// Reads the header at the cursor; it must lie within the container.
int32_t readHeader(const Cursor& c, DerHeader* header) {
  return derReadHeader(c.pos, c.end, header) ? DER_OK : DER_ERR_BOUNDS;
}

// Whether content of that length after the header still fits the container.
bool fits(const Cursor& c, const DerHeader& header) {
  return header.length <= derAvailable(c.pos + header.headerSize, c.end);
}

// Moves into the content of the element at the cursor, which must fit the
// container. The indefinite form keeps the container's end; other
// unsupported forms leave an empty one.
int32_t enter(Cursor* c, bool bitString) {
  DerHeader header;
  if (readHeader(*c, &header) != DER_OK || !fits(*c, header)) return DER_ERR_BOUNDS;
  const bool indefinite = c->pos[1] == 0x80;
  c->pos += header.headerSize;
  if (!indefinite) c->end = c->pos + header.length;
  if (bitString && header.length > 0) ++c->pos;  // the unused-bits byte
  return DER_OK;
}

int32_t skip(Cursor* c, const Step& step) {
  const char lower = toLower(step.letter);
  const int64_t repeat = (lower == 'x' && step.count > 0) ? step.count : 1;
  for (int64_t i = 0; i < repeat; ++i) {
    if (c->pos >= c->end) return DER_ERR_BOUNDS;
    if (!tagMatches(lower, c->pos[0], step.count)) return step.optional ? DER_OK : DER_ERR_MISMATCH;
    DerHeader header;
    if (readHeader(*c, &header) != DER_OK || !fits(*c, header)) return DER_ERR_BOUNDS;
    c->pos += header.headerSize + header.length;
  }
  return DER_OK;
}

int32_t select(const Cursor& c, const Step& step, const uint8_t** out, int32_t* outLength) {
  const char lower = toLower(step.letter);
  const uint8_t tag = c.pos[0];
  if (!tagMatches(lower, tag, step.count)) return DER_ERR_LAST;
  DerHeader header;
  if (readHeader(c, &header) != DER_OK || !fits(c, header)) return DER_ERR_BOUNDS;
  const uint8_t* start = c.pos;
  uint64_t length = uint64_t{header.headerSize} + header.length;
  if (isUpper(step.letter)) {
    start += header.headerSize;
    length = header.length;
  }
  if (length > INT32_MAX) return DER_ERR_BOUNDS;
  if (isUpper(step.letter) && tag == 0x03 && (lower == 'g' || lower == 'x')) {
    // The unused-bits byte is left out; an empty bit string has none to drop.
    if (length == 0) return DER_ERR_BOUNDS;
    ++start;
    --length;
  }
  if (out) *out = start;
  if (outLength) *outLength = static_cast<int32_t>(length);
  return DER_OK;
}

// Whether the first element in [at, end) is an OBJECT IDENTIFIER with
// exactly this content (none there: no match). DER_ERR_BOUNDS when that
// element runs past end.
int32_t oidAt(const uint8_t* at, const uint8_t* end, const uint8_t* oid, int32_t oidLength,
              const uint8_t** after) {
  *after = nullptr;
  if (at >= end) return DER_OK;
  if (at[0] != 0x06) return DER_OK;
  DerHeader id;
  if (!derReadHeader(at, end, &id)) return DER_ERR_BOUNDS;
  const uint8_t* content = at + id.headerSize;
  if (id.length > derAvailable(content, end)) return DER_ERR_BOUNDS;
  if (!id.definite || id.length != static_cast<uint32_t>(oidLength)) return DER_OK;
  for (int32_t i = 0; i < oidLength; ++i)  // short: a loop beats a call
    if (content[i] != oid[i]) return DER_OK;
  *after = content + id.length;
  return DER_OK;
}

// Finds among the children of the SEQUENCE (or SET) at the cursor the one
// whose first inner element is the given OID (in a SET OF SET the first
// SEQUENCE of each SET is examined). On success the cursor stands just after
// the OID and the container is that child.
int32_t searchOid(Cursor* c, bool inSet, const uint8_t* oid, int32_t oidLength) {
  if (c->pos[0] != (inSet ? 0x31 : 0x30)) return DER_ERR_MISMATCH;
  if (enter(c, false) != DER_OK) return DER_ERR_BOUNDS;
  if (c->pos >= c->end) return DER_ERR_MISMATCH;
  const bool setMode = c->pos[0] == 0x31;
  for (;;) {
    if (c->pos[0] != (setMode ? 0x31 : 0x30)) return DER_ERR_MISMATCH;
    DerHeader child;
    if (readHeader(*c, &child) != DER_OK || !fits(*c, child)) return DER_ERR_BOUNDS;
    // Without a definite length the child's end is unknown: stop here.
    if (!child.definite) return DER_ERR_BOUNDS;
    const uint8_t* inner = c->pos + child.headerSize;
    const uint8_t* childEnd = inner + child.length;
    const uint8_t* innerEnd = childEnd;
    if (setMode) {
      if (inner >= childEnd || inner[0] != 0x30) return DER_ERR_MISMATCH;
      DerHeader sequence;
      if (!derReadHeader(inner, childEnd, &sequence)) return DER_ERR_BOUNDS;
      if (sequence.length > derAvailable(inner + sequence.headerSize, childEnd)) return DER_ERR_BOUNDS;
      if (inner[1] != 0x80) innerEnd = inner + sequence.headerSize + sequence.length;
      inner += sequence.headerSize;
    }
    const uint8_t* afterOid = nullptr;
    if (oidAt(inner, innerEnd, oid, oidLength, &afterOid) != DER_OK) return DER_ERR_BOUNDS;
    if (afterOid) {
      c->pos = afterOid;
      c->end = childEnd;
      return DER_OK;
    }
    if (childEnd >= c->end) return DER_ERR_MISMATCH;
    c->pos = childEnd;
  }
}

int32_t runSearch(Cursor* c, const char** format, char letter, const uint8_t** out,
                  int32_t* outLength) {
  const char* text = *format;
  size_t textLength = 0;
  while (isDigit(text[textLength]) || text[textLength] == '.') ++textLength;
  if (textLength >= kMaxPathOidText) return DER_ERR_FORMAT;
  *format = text + textLength;
  uint8_t oid[kMaxOidContent];
  const int32_t oidLength = derOidFromTextRun(text, textLength, oid, kMaxOidContent);
  if (oidLength == 0) return DER_ERR_FORMAT;

  const int32_t status = searchOid(c, letter == 'a', oid, oidLength);
  if (status != DER_OK || **format != '\0') return status;
  if (out) *out = c->pos;
  if (outLength) *outLength = static_cast<int32_t>(c->end - c->pos);
  return DER_OK;
}

int64_t readCount(const char** format) {
  const char* p = *format;
  if (!isDigit(*p)) return kNoCount;
  int64_t count = 0;
  while (isDigit(*p)) {
    count = count * 10 + (*p - '0');
    if (count > INT32_MAX) count = INT32_MAX;
    ++p;
  }
  *format = p;
  return count;
}

}  // namespace

int32_t derElementSize(const uint8_t* element, const uint8_t* limit) {
  if (!element) return 0;
  DerHeader header;
  if (!derReadHeader(element, limit, &header) || !header.definite) return 0;
  const uint64_t total = uint64_t{header.headerSize} + header.length;
  return total > INT32_MAX ? 0 : static_cast<int32_t>(total);
}

int32_t derReadLength(const uint8_t** cursor, const uint8_t* limit) {
  const uint8_t* p = *cursor;
  if (derAvailable(p, limit) < 1) return -1;
  const uint8_t first = p[0];
  if (first < 0x80) {
    *cursor = p + 1;
    return first;
  }
  const unsigned count = first & 0x7Fu;
  if (count == 0 || count > 4) {
    *cursor = p + 1;
    return 0;
  }
  if (derAvailable(p, limit) < 1 + count) return -1;
  uint32_t length = 0;
  for (unsigned i = 0; i < count; ++i) length = (length << 8) | p[1 + i];
  if (length > INT32_MAX) return -1;
  *cursor = p + 1 + count;
  return static_cast<int32_t>(length);
}

int32_t derPathStart(const uint8_t* element, const uint8_t* limit, DerCursor* cursor) {
  // The element must have a known end within the data: that is the bound.
  const int32_t size = derElementSize(element, limit);
  if (size == 0 || static_cast<size_t>(size) > derAvailable(element, limit)) return DER_ERR_BOUNDS;
  cursor->pos = element;
  cursor->end = element + size;
  return DER_OK;
}

int32_t derPathWalk(DerCursor* cursor, const char* format, const uint8_t** out, int32_t* outLength) {
  if (!format) return DER_ERR_FORMAT;
  Cursor& c = *cursor;
  const char* f = format;
  for (;;) {
    while (*f == ' ') ++f;
    if (c.pos >= c.end) return DER_ERR_BOUNDS;
    Step step{false, '\0', kNoCount};
    if (*f == 'o') {
      step.optional = true;
      ++f;
    }
    step.letter = *f;
    const LetterClass& letter = kLetters.classes[static_cast<unsigned char>(step.letter)];
    if (letter.kind == kInvalid) return DER_ERR_FORMAT;  // also the end of the format
    ++f;
    if (letter.kind == kSearch) {
      const int32_t status = runSearch(&c, &f, step.letter, out, outLength);
      if (status != DER_OK || *f == '\0') return status;
      continue;
    }
    if (letter.counted) step.count = readCount(&f);
    if (letter.takesEquals && *f == '=') ++f;

    if (*f == '\0') return select(c, step, out, outLength);
    int32_t status;
    if (letter.upper) {
      if (!letter.enters) return DER_ERR_FORMAT;
      if (!tagMatches(letter.lower, c.pos[0], step.count)) return DER_ERR_MISMATCH;
      status = enter(&c, step.letter == 'G');
    } else {
      status = skip(&c, step);
    }
    if (status != DER_OK) return status;
  }
}

int32_t derScan(const uint8_t* element, const uint8_t* limit, const char* format,
                const uint8_t** out, int32_t* outLength) {
  if (!format) return DER_ERR_FORMAT;
  DerCursor cursor;
  const int32_t status = derPathStart(element, limit, &cursor);
  if (status != DER_OK) return status;
  return derPathWalk(&cursor, format, out, outLength);
}
