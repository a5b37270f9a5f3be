#include "key_name.h"

#include "format_text.h"
#include "nolm_library.h"
#include "notices.h"
#include "shared_buffers.h"
#include "text_fields.h"

bool takeKeyName(const char* keyName, const char* failure) {
  if (keyName && copyWhole(keyPathBuffer, sizeof keyPathBuffer, keyName)) return true;
  keyPathBuffer[0] = '\0';
  char text[kTextBufferSize];
  formatText(text, sizeof text, "%s\nІм'я ключа довше за %d символів.", failure, kKeyNameSize - 1);
  notifyError(kCodeTooLong, text);
  return false;
}
