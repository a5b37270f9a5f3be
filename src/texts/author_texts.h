// The script's own words for single texts (QeltNSIS::SetText), in place of
// the built-in ones whatever the language; kept for the rest of the
// installer's run.
#pragma once

#include "text_id.h"

enum class AuthorTextResult : unsigned char {
  kTaken,
  kBuiltinAgain,        // an empty text: the built-in one is shown again
  kPlaceholdersDiffer,  // not taken: the built-in one stays
  kNoMemory,            // not taken: the built-in one stays
};

// Takes a copy of text for id, when it has exactly the built-in text's
// placeholders in the same order.
AuthorTextResult setAuthorText(TextId id, const wchar_t* text);
// The script's words for id, or null.
const wchar_t* authorText(TextId id);
