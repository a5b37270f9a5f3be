#include "key_name.h"

#include "format_text.h"
#include "host_context.h"
#include "message_boxes.h"
#include "nolm_library.h"
#include "shared_buffers.h"
#include "text_fields.h"

bool takeKeyName(const char* failure) {
  const char* keyName = getVariable(VAR_1);
  if (keyName && copyWhole(keyPathBuffer, sizeof keyPathBuffer, keyName)) return true;
  keyPathBuffer[0] = '\0';
  formatText(messageBuffer, sizeof messageBuffer, "%s\nІм'я ключа довше за %d символів.", failure,
             kKeyNameSize - 1);
  showError(messageBuffer);
  return false;
}
