// The pieces of a text: runs of words, and placeholders for the values put
// between them. A placeholder is '%', the flags '-' or '0', a width, a
// precision and 'd' (a number) or 's' (a text); "%%" is a percent sign. A
// text is never handed to a formatter: only a built-in placeholder is, with
// its one value.
#pragma once

#include <cstddef>

struct TextPiece {
  enum Kind : unsigned char { kEnd, kWords, kPlaceholder, kBroken };
  Kind kind;
  // kWords: the characters to show; kPlaceholder: the placeholder, '%'
  // included; kBroken: from the '%' that begins no placeholder.
  const wchar_t* start;
  std::size_t length;
};

// The piece at *cursor; *cursor moves past it.
TextPiece nextPiece(const wchar_t** cursor);

// Whether both texts have only well-formed placeholders, and the same ones in
// the same order.
bool samePlaceholders(const wchar_t* text, const wchar_t* other);
