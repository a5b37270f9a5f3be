#include "shared_buffers.h"

char passwordField[kPasswordFieldSize] = "";
char newValueField[kPasswordFieldSize] = "";
char keyPathBuffer[kKeyNameSize] = "";
