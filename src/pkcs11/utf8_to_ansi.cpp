#include "utf8_to_ansi.h"

#include "platform.h"

namespace {

// Low six bits of the continuation byte at source[index], or -1 when the
// text ends there.
int continuationBits(const unsigned char* source, size_t index) {
  return source[index] == 0 ? -1 : (source[index] & 0x3F);
}

}  // namespace

void utf8ToAnsi(const char* source, char* destination, size_t capacity) {
  if (capacity == 0) return;
  const unsigned char* in = reinterpret_cast<const unsigned char*>(source);
  size_t written = 0;
  while (written < capacity - 1 && *in != 0) {
    const unsigned char lead = *in;
    if (lead < 0x80) {
      destination[written++] = static_cast<char>(lead);
      in += 1;
      continue;
    }
    unsigned int codePoint;
    if ((lead & 0xF0) == 0xE0) {
      const int second = continuationBits(in, 1);
      if (second < 0) break;
      const int third = continuationBits(in, 2);
      if (third < 0) break;
      codePoint = (lead & 0x0Fu) * 4096 + static_cast<unsigned int>(second) * 64 + static_cast<unsigned int>(third);
      in += 3;
    } else {
      const int second = continuationBits(in, 1);
      if (second < 0) break;
      codePoint = (lead & 0x1Fu) * 64 + static_cast<unsigned int>(second);
      in += 2;
    }
    destination[written++] = platform::codeUnitToAnsi(static_cast<unsigned short>(codePoint));
  }
  destination[written] = '\0';
}
