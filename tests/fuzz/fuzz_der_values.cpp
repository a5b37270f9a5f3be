// The value extraction and iteration functions with any path and bytes.
#include <cstdint>
#include <cstring>
#include <string>

#include "der_iterator.h"
#include "der_scanner.h"
#include "der_time.h"
#include "der_values.h"
#include "fuzz_input.h"

namespace {

void extractAll(const uint8_t* element, const uint8_t* limit, const char* format) {
  uint8_t bytes[16];
  derScanCopy(element, limit, format, bytes, sizeof bytes);
  derScanInteger(element, limit, format, bytes, 3);
  int32_t number = 0;
  derScanInt32(element, limit, format, &number);
  bool flag = false;
  derScanBool(element, limit, format, &flag);
  int64_t time = 0;
  derScanTime(element, limit, format, &time);

  char text[64];
  int32_t size = 0;
  if (derScanString(element, limit, format, nullptr, &size) == DER_OK && size > 0) {
    std::string whole(static_cast<size_t>(size), '\0');
    int32_t capacity = size;
    if (derScanString(element, limit, format, &whole[0], &capacity) != DER_OK || whole.back() != '\0')
      __builtin_trap();
  }
  size = sizeof text;
  derScanString(element, limit, format, text, &size);
  size = 0;
  if (derScanOidText(element, limit, format, nullptr, &size) == DER_OK && size > 0) {
    std::string whole(static_cast<size_t>(size), '\0');
    int32_t capacity = size;
    if (derScanOidText(element, limit, format, &whole[0], &capacity) != DER_OK ||
        std::strlen(whole.c_str()) + 1 != static_cast<size_t>(size))
      __builtin_trap();
  }
  size = 7;
  derScanOidText(element, limit, format, text, &size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const FuzzInput in = splitInput(bytes, size);
  const char* format = in.format.c_str();
  extractAll(in.data, in.end, format);
  derOidInList(in.data, in.end, format);

  // Each child is read with one of the paths the certificate code uses on
  // list entries, in turn.
  static const char* const kChildFormats[] = {"SdB", "Sd", "SdY6", "Y6", "SE0E0", "D", "C", "I", "SbI"};
  DerIterator it;
  int steps = 0;
  for (int32_t status = derIterFirst(in.data, in.end, format[0] ? format : "S", &it); status == DER_OK;
       status = derIterNext(&it)) {
    if (it.currentSize <= 0 || it.current + it.currentSize > it.end || steps > 100000) __builtin_trap();
    extractAll(it.current, it.end, kChildFormats[steps++ % 9]);
    derOidInList(it.current, it.end, "1.3.6.1.5.5.7.3.2,2.5.29.15");
  }
  return 0;
}
