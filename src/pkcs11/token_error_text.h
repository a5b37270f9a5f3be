#pragma once

#include <cstdint>

struct TokenErrorText {
  char text[1024];
};

// The text shown for a card or token result code: "<text> (код <code>)".
TokenErrorText tokenErrorText(int32_t code);
