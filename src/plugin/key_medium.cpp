#include "key_medium.h"

#include <cwchar>

#include "host_text.h"
#include "nolm_api.h"

namespace {

wchar_t marker[kTextBufferSize] = L"";

}  // namespace

bool popKeyMedium() {
  TextRead read = popWide(marker, kTextBufferSize);
  // A folder too long to search is a folder without keys.
  if (read == TextRead::kTooLong) marker[0] = L'\0';
  return read != TextRead::kRefused;
}

const wchar_t* keyMedium() { return marker; }

bool keyMediumIsPlasticCard() { return std::wcscmp(marker, L"PLC:") == 0; }
