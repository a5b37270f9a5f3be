#include "random_text.h"

#include <windows.h>
#include <ntsecapi.h>

#include <cstring>

bool makeRandomText(char (&text)[kRandomTextSize]) {
  std::memset(text, 0, sizeof text);
  int filled = 0;
  unsigned char bytes[64];
  while (filled < kRandomTextSize - 1) {
    if (!RtlGenRandom(bytes, sizeof bytes)) {
      SecureZeroMemory(bytes, sizeof bytes);
      std::memset(text, 0, sizeof text);
      return false;
    }
    // Bytes of 250 and above are dropped so every digit is equally likely.
    for (unsigned char b : bytes) {
      if (b >= 250 || filled == kRandomTextSize - 1) continue;
      text[filled++] = static_cast<char>('0' + b % 10);
    }
  }
  SecureZeroMemory(bytes, sizeof bytes);
  return true;
}
