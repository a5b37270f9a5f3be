#include "key_name.h"

#include "nolm_library.h"
#include "notices.h"
#include "shared_buffers.h"
#include "text_fields.h"

bool takeKeyName(const char* keyName, TextId tooLong) {
  if (keyName && copyWhole(keyPathBuffer, sizeof keyPathBuffer, keyName)) return true;
  keyPathBuffer[0] = '\0';
  notifyError(kCodeTooLong, tooLong, kKeyNameSize - 1);
  return false;
}
