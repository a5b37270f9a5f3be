#include "key_medium.h"

#include <cwchar>

#include "host_text.h"
#include "nolm_api.h"

namespace {

wchar_t marker[kTextBufferSize] = L"";
// A marker too long to keep names a folder that cannot be searched; it is
// not cut into the name of another one.
bool searchable = true;

}  // namespace

bool popKeyMedium() {
  TextRead read = popWide(marker, kTextBufferSize);
  if (read == TextRead::kOk || read == TextRead::kTooLong) searchable = read == TextRead::kOk;
  return read != TextRead::kRefused;
}

bool keyMediumIsSearchable() { return searchable; }

const wchar_t* keyMedium() { return marker; }

bool keyMediumIsPlasticCard() { return std::wcscmp(marker, L"PLC:") == 0; }
