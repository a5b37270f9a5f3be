#include "byte_buffer.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// The one process-wide empty block: count, length 0, terminator. Its count
// starts at 1 so it never falls to 0 and is never freed.
struct EmptyBlock {
  int32_t count;
  int32_t length;
  uint8_t terminator;
};
EmptyBlock emptyBlock = {1, 0, 0};

uint8_t* emptyData() { return &emptyBlock.terminator; }

}  // namespace

void ByteBuffer::retain(uint8_t* data) {
  __atomic_add_fetch(&(reinterpret_cast<Header*>(data) - 1)->count, 1, __ATOMIC_RELAXED);
}

void ByteBuffer::release(uint8_t* data) {
  Header* header = reinterpret_cast<Header*>(data) - 1;
  if (__atomic_sub_fetch(&header->count, 1, __ATOMIC_ACQ_REL) == 0) ::operator delete(header);
}

ByteBuffer::ByteBuffer() : data_(emptyData()) { retain(data_); }

ByteBuffer::ByteBuffer(const void* data, int32_t length) {
  if (length < 0) length = 0;
  void* block = ::operator new(sizeof(Header) + static_cast<std::size_t>(length) + 1);
  Header* header = static_cast<Header*>(block);
  header->count = 1;
  header->length = length;
  data_ = reinterpret_cast<uint8_t*>(header + 1);
  if (data && length) std::memcpy(data_, data, static_cast<std::size_t>(length));
  data_[length] = 0;
}

ByteBuffer::ByteBuffer(const ByteBuffer& other) : data_(other.data_) { retain(data_); }

ByteBuffer& ByteBuffer::operator=(const ByteBuffer& other) {
  retain(other.data_);
  release(data_);
  data_ = other.data_;
  return *this;
}

ByteBuffer::~ByteBuffer() { release(data_); }

bool ByteBuffer::equals(const void* data, int32_t length) const {
  if (length != size()) return false;
  if (length == 0) return true;
  return data && std::memcmp(data_, data, static_cast<std::size_t>(length)) == 0;
}
