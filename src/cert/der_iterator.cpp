#include "der_iterator.h"

#include "der_header.h"
#include "der_scanner.h"

namespace {

int32_t settle(DerIterator* it) {
  it->currentSize = 0;
  if (it->current >= it->end || it->current[0] == 0) return DER_END;
  const int32_t size = derElementSize(it->current, it->end);
  if (size == 0 || static_cast<size_t>(size) > derAvailable(it->current, it->end)) return DER_ERR_BOUNDS;
  it->currentSize = size;
  return DER_OK;
}

}  // namespace

int32_t derIterFirst(const uint8_t* element, const uint8_t* limit, const char* format,
                     DerIterator* iterator) {
  const uint8_t* content = nullptr;
  int32_t length = 0;
  const int32_t status = derScan(element, limit, format, &content, &length);
  if (status != DER_OK) return status;
  iterator->current = content;
  iterator->end = content + length;
  return settle(iterator);
}

int32_t derIterNext(DerIterator* iterator) {
  iterator->current += iterator->currentSize;  // 0 after DER_END or an error
  return settle(iterator);
}
