// derScan with any path and any bytes, and the element readers.
#include "der_oid.h"
#include "der_scanner.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const FuzzInput in = splitInput(bytes, size);
  const uint8_t* out = nullptr;
  int32_t length = 0;
  if (derScan(in.data, in.end, in.format.c_str(), &out, &length) == DER_OK) {
    if (length < 0 || out < in.data || out + length > in.end) __builtin_trap();
    volatile uint8_t sink = 0;
    for (int32_t i = 0; i < length; ++i) sink = sink ^ out[i];
  }
  derScan(in.data, in.end, in.format.c_str(), nullptr, nullptr);
  const int32_t elementSize = derElementSize(in.data, in.end);
  if (elementSize < 0) __builtin_trap();
  const uint8_t* cursor = in.data + (in.data < in.end ? 1 : 0);
  derReadLength(&cursor, in.end);
  if (cursor > in.end) __builtin_trap();
  uint8_t oid[128];
  derOidFromText(in.format.c_str(), oid, sizeof oid);
  derEncodeOid(in.format.c_str(), oid, sizeof oid);
  return 0;
}
