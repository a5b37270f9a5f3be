#include "shared_buffers.h"

char passwordField[kPasswordFieldSize] = "";
char newValueField[kPasswordFieldSize] = "";
char keyPathBuffer[kKeyNameSize] = "";
char keyMediumMarker[kTextBufferSize] = "";
char selectionBuffer[kTextBufferSize] = "";
