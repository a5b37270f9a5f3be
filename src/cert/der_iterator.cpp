#include "der_iterator.h"

#include "der_path.h"
#include "der_scanner.h"

namespace {

int32_t settle(DerIterator* it) {
  it->currentSize = 0;
  DerReader rest = DerReader::between(it->current, it->end);
  uint8_t tag;
  DerElement child;
  if (!rest.peekTag(&tag) || tag == 0) return DER_END;
  if (!rest.getElement(&child) || !child.definite) return DER_ERR_BOUNDS;
  it->currentSize = static_cast<int32_t>(child.size());
  return DER_OK;
}

}  // namespace

int32_t derIterOver(const uint8_t* content, int32_t length, DerIterator* iterator) {
  iterator->current = content;
  iterator->end = content + length;
  return settle(iterator);
}

int32_t derIterFirst(const uint8_t* element, const uint8_t* limit, const char* format,
                     DerIterator* iterator) {
  DerSelected content;
  const int32_t status = derSelect(element, limit, format, &content);
  return status != DER_OK ? status : derIterOver(content.data, content.length, iterator);
}

int32_t derIterNext(DerIterator* iterator) {
  iterator->current += iterator->currentSize;  // 0 after DER_END or an error
  return settle(iterator);
}
