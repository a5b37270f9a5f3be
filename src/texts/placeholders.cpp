#include "placeholders.h"

#include <cwchar>

namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The length of the placeholder at text ('%' first), or 0 when it is none.
std::size_t placeholderLength(const wchar_t* text) {
  std::size_t n = 1;
  while (text[n] == L'-' || text[n] == L'0') ++n;
  while (isDigit(text[n])) ++n;
  if (text[n] == L'.') {
    ++n;
    while (isDigit(text[n])) ++n;
  }
  return text[n] == L'd' || text[n] == L's' ? n + 1 : 0;
}

}  // namespace

TextPiece nextPiece(const wchar_t** cursor) {
  const wchar_t* at = *cursor;
  if (!at || !*at) return {TextPiece::kEnd, at, 0};
  if (*at == L'%') {
    if (at[1] == L'%') {
      *cursor = at + 2;
      return {TextPiece::kWords, at, 1};
    }
    std::size_t length = placeholderLength(at);
    if (length == 0) return {TextPiece::kBroken, at, 0};
    *cursor = at + length;
    return {TextPiece::kPlaceholder, at, length};
  }
  const wchar_t* end = at;
  while (*end && *end != L'%') ++end;
  *cursor = end;
  return {TextPiece::kWords, at, static_cast<std::size_t>(end - at)};
}

namespace {

// The next placeholder of text, skipping words; kEnd or kBroken otherwise.
TextPiece nextPlaceholder(const wchar_t** cursor) {
  for (;;) {
    TextPiece piece = nextPiece(cursor);
    if (piece.kind != TextPiece::kWords) return piece;
  }
}

}  // namespace

bool samePlaceholders(const wchar_t* text, const wchar_t* other) {
  for (;;) {
    TextPiece a = nextPlaceholder(&text);
    TextPiece b = nextPlaceholder(&other);
    if (a.kind == TextPiece::kBroken || b.kind == TextPiece::kBroken || a.kind != b.kind) return false;
    if (a.kind == TextPiece::kEnd) return true;
    if (a.length != b.length || std::wmemcmp(a.start, b.start, a.length) != 0) return false;
  }
}
