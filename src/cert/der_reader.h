// DerReader: a cursor over DER bytes it does not own, {data, size} being what
// is left to read. Every read goes through take(), the one bounds check; a
// read that fails returns false and leaves the reader as it was. Child
// readers are sub-spans of the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>

// One element as its header states it. A length in the indefinite form (0x80)
// or with more than four length bytes is not supported: such an element
// reads as a two-byte header with length 0 and definite == false.
struct DerElement {
  const uint8_t* start;  // the tag byte
  uint8_t tag;
  uint8_t headerSize;
  bool definite;
  uint32_t length;  // of the content

  const uint8_t* content() const { return start + headerSize; }
  // 64 bits: a 4-byte length near 2^32 plus its header must not wrap
  // where size_t has 32.
  uint64_t size() const { return headerSize + uint64_t{length}; }
};

class DerReader {
 public:
  DerReader() : data_(nullptr), size_(0) {}
  DerReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  // The bytes from `from` up to `limit`; empty when from is not below limit.
  static DerReader between(const uint8_t* from, const uint8_t* limit) {
    return from && from < limit ? DerReader(from, static_cast<size_t>(limit - from)) : DerReader();
  }

  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }
  const uint8_t* end() const { return data_ + size_; }
  bool empty() const { return size_ == 0; }

  // skip moves past n bytes.
  bool skip(size_t n) { const uint8_t* bytes; return take(n, &bytes); }

  // peekTag sets *tag to the next byte; false at the end.
  bool peekTag(uint8_t* tag) const {
    DerReader r = *this;
    const uint8_t* next;
    if (!r.take(1, &next)) return false;
    *tag = next[0];
    return true;
  }

  // getLength reads a length field; an unsupported form reads as 0 with
  // *definite false, after its first byte.
  bool getLength(uint32_t* length, bool* definite) {
    DerReader r = *this;
    const uint8_t* first;
    const uint8_t* bytes = nullptr;
    if (!r.take(1, &first)) return false;
    const unsigned count = first[0] < 0x80 ? 0 : first[0] & 0x7Fu;
    *definite = count <= 4 && first[0] != 0x80;
    *length = first[0] < 0x80 ? first[0] : 0;
    if (*definite && !r.take(count, &bytes)) return false;
    for (unsigned i = 0; *definite && i < count; ++i) *length = *length << 8 | bytes[i];
    *this = r;
    return true;
  }

  // getHeader reads the tag and length of the next element, not its content.
  bool getHeader(DerElement* e) {
    DerReader r = *this;
    const uint8_t* tag;
    if (!r.take(1, &tag) || !r.getLength(&e->length, &e->definite)) return false;
    *e = DerElement{tag, tag[0], static_cast<uint8_t>(r.data_ - tag), e->definite, e->length};
    *this = r;
    return true;
  }

  // getElement reads the next element, whose content must lie within the
  // reader, and moves past it.
  bool getElement(DerElement* e) {
    DerReader r = *this;
    if (!r.getHeader(e) || !r.skip(e->length)) return false;
    *this = r;
    return true;
  }

  // enter reads the next element and sets *content to its content. The
  // indefinite form has no known end, so its content runs to this reader's
  // end; the other unsupported forms have none.
  bool enter(DerElement* e, DerReader* content) {
    if (!getElement(e)) return false;
    *content = e->start[1] == 0x80 ? *this : DerReader(e->content(), e->length);
    return true;
  }

 private:
  // Sets *bytes to the next n bytes and moves past them; false when fewer
  // are left.
  bool take(size_t n, const uint8_t** bytes) {
    if (n > size_) return false;
    *bytes = data_;
    data_ += n;
    size_ -= n;
    return true;
  }

  const uint8_t* data_;
  size_t size_;
};
