// A shared, reference-counted byte string. Copies share one heap block:
//   [int32 count][int32 length][data ...][0]
// and the handle points at the data. Not copy-on-write: the creator of a block
// may fill it in place before sharing it; shared bytes are read-only.
#pragma once

#include <cstdint>

class ByteBuffer {
 public:
  ByteBuffer();
  // Copies length bytes from data, or leaves them unset when data is null.
  ByteBuffer(const void* data, int32_t length);
  ByteBuffer(const ByteBuffer& other);
  ByteBuffer& operator=(const ByteBuffer& other);
  ~ByteBuffer();

  uint8_t* data() const { return data_; }
  int32_t size() const { return header()->length; }
  bool isEmpty() const { return size() == 0; }
  bool equals(const void* data, int32_t length) const;
  bool equals(const ByteBuffer& other) const { return equals(other.data(), other.size()); }

 private:
  struct Header {
    int32_t count;
    int32_t length;
  };
  Header* header() const { return reinterpret_cast<Header*>(data_) - 1; }
  static void retain(uint8_t* data);
  static void release(uint8_t* data);

  uint8_t* data_;
};
