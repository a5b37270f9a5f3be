#include "render.h"

#include <cwchar>

#include "author_texts.h"
#include "format_text.h"
#include "placeholders.h"
#include "text_1251.h"

namespace {

constexpr std::size_t kBuiltinUnits = 512;
constexpr std::size_t kPlaceholderUnits = 16;

// The next placeholder of the built-in text.
TextPiece nextBuiltinPlaceholder(const wchar_t** cursor) {
  for (;;) {
    TextPiece piece = nextPiece(cursor);
    if (piece.kind != TextPiece::kWords) return piece;
  }
}

}  // namespace

void renderText(wchar_t* out, std::size_t capacity, TextId id, ...) {
  va_list args;
  va_start(args, id);
  renderTextV(out, capacity, id, args);
  va_end(args);
}

void renderTextV(wchar_t* out, std::size_t capacity, TextId id, va_list args) {
  if (!out || capacity == 0) return;
  out[0] = L'\0';
  wchar_t builtin[kBuiltinUnits];
  wideFrom1251(builtinText(id, currentLanguage()), builtin, kBuiltinUnits);
  const wchar_t* author = authorText(id);
  const wchar_t* words = author ? author : builtin;
  // The values are formatted by the built-in text's own placeholders, which
  // the script's words were checked to repeat.
  const wchar_t* placeholders = builtin;
  std::size_t used = 0;
  for (;;) {
    TextPiece piece = nextPiece(&words);
    if (piece.kind == TextPiece::kWords) {
      std::size_t n = piece.length < capacity - 1 - used ? piece.length : capacity - 1 - used;
      std::wmemcpy(out + used, piece.start, n);
      used += n;
      out[used] = L'\0';
      continue;
    }
    if (piece.kind != TextPiece::kPlaceholder) break;
    TextPiece own = nextBuiltinPlaceholder(&placeholders);
    if (own.kind != TextPiece::kPlaceholder || own.length + 2 > kPlaceholderUnits) break;
    // The placeholder alone, with a wide string's "%ls" for "%s".
    wchar_t format[kPlaceholderUnits];
    std::wmemcpy(format, own.start, own.length);
    const bool isText = own.start[own.length - 1] == L's';
    if (isText) {
      format[own.length - 1] = L'l';
      format[own.length] = L's';
      format[own.length + 1] = L'\0';
    } else {
      format[own.length] = L'\0';
    }
    if (isText) {
      const wchar_t* value = va_arg(args, const wchar_t*);
      used += formatWide(out + used, capacity - used, format, value ? value : L"");
    } else {
      used += formatWide(out + used, capacity - used, format, va_arg(args, int));
    }
  }
}
