#include "secret_fields.h"

#include "host_context.h"
#include "nolm_library.h"
#include "text_fields.h"

void readSecretField(HWND dialog, int id, char (&text)[kSecretFieldSize]) {
  text[0] = '\0';
  GetDlgItemTextA(dialog, id, text, kSecretFieldSize);
}

void passSecretField(HWND dialog, int id, int variableIndex) {
  messageBuffer[0] = '\0';
  GetDlgItemTextA(dialog, id, messageBuffer, kSecretFieldSize);
  setVariable(variableIndex, messageBuffer);
  wipeSecret(messageBuffer, kSecretFieldSize);
}
