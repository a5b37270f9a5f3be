#include "author_texts.h"

#include <cstdlib>
#include <cwchar>

#include "placeholders.h"
#include "text_1251.h"

namespace {

wchar_t* authored[kTextCount] = {};

// The longest built-in text, with room to spare.
constexpr std::size_t kBuiltinUnits = 512;

}  // namespace

AuthorTextResult setAuthorText(TextId id, const wchar_t* text) {
  wchar_t*& slot = authored[static_cast<int>(id)];
  if (!text || !*text) {
    std::free(slot);
    slot = nullptr;
    return AuthorTextResult::kBuiltinAgain;
  }
  wchar_t builtin[kBuiltinUnits];
  wideFrom1251(builtinText(id, Language::kDefault), builtin, kBuiltinUnits);
  if (!samePlaceholders(text, builtin)) return AuthorTextResult::kPlaceholdersDiffer;
  const std::size_t units = std::wcslen(text) + 1;
  auto* copy = static_cast<wchar_t*>(std::malloc(units * sizeof(wchar_t)));
  if (!copy) return AuthorTextResult::kNoMemory;
  std::wmemcpy(copy, text, units);
  std::free(slot);
  slot = copy;
  return AuthorTextResult::kTaken;
}

const wchar_t* authorText(TextId id) { return id < TextId::kCount ? authored[static_cast<int>(id)] : nullptr; }
