// The catalogue's texts by id, and their built-in words in each language.
#pragma once

#include "language.h"

enum class TextId : unsigned char {
#define QELT_TEXT(id, text, uk, en) id,
#include "catalogue.h"
#undef QELT_TEXT
  kCount
};

constexpr int kTextCount = static_cast<int>(TextId::kCount);

// The id as scripts write it, "password_caption".
const char* textName(TextId id);
// The id a script's name stands for; false for a name the catalogue lacks.
bool findTextId(const wchar_t* name, TextId* id);
// The built-in text in language: Windows-1251 bytes.
const char* builtinText(TextId id, Language language);
