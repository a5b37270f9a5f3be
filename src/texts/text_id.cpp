#include "text_id.h"

#include <cstring>

namespace {

// Each row's id and its three texts, one after another, each ending in a
// zero byte: no table of pointers to relocate.
const char kRows[] =
#define QELT_TEXT(id, text, uk, en) #id "\0" text "\0" uk "\0" en "\0"
#include "catalogue.h"
#undef QELT_TEXT
    ;

constexpr int kStringsPerRow = 4;

const char* rowOf(TextId id) {
  const char* at = kRows;
  for (int skip = static_cast<int>(id) * kStringsPerRow; skip > 0; --skip) at += std::strlen(at) + 1;
  return at;
}

}  // namespace

const char* textName(TextId id) { return id < TextId::kCount ? rowOf(id) : ""; }

bool findTextId(const wchar_t* name, TextId* id) {
  if (!name) return false;
  for (int i = 0; i < kTextCount; ++i) {
    const char* candidate = textName(static_cast<TextId>(i));
    std::size_t n = 0;
    while (candidate[n] && name[n] == static_cast<unsigned char>(candidate[n])) ++n;
    if (!candidate[n] && !name[n]) {
      *id = static_cast<TextId>(i);
      return true;
    }
  }
  return false;
}

const char* builtinText(TextId id, Language language) {
  if (id >= TextId::kCount) return "";
  const char* at = rowOf(id);
  for (int skip = 1 + static_cast<int>(language); skip > 0; --skip) at += std::strlen(at) + 1;
  return at;
}
