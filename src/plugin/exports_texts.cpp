// Language, SetText: the plug-in's texts in the installer's language, or in
// the script's own words.
#include "author_texts.h"
#include "export_frame.h"
#include "host_text.h"
#include "language_choice.h"
#include "notices.h"
#include "scratch_text.h"
#include "text_1251.h"
#include "trace.h"

namespace {

// A refused value is shown in LastError's text cut to this.
constexpr std::size_t kShownValue = 64;

void cutForShowing(WideScratch& value) { value.text[kShownValue - 1] = L'\0'; }

// Pops "", "uk", "en" or "auto". $0 "1" when taken.
void language(HWND) {
  writeLibraryText(VAR_0, "");
  WideScratch value;
  if (popWide(value.text, WideScratch::kSize) == TextRead::kMissing) return;
  if (chooseLanguage(value.text)) {
    writeLibraryText(VAR_0, "1");
    return;
  }
  cutForShowing(value);
  notifyText(NoticeKind::kSilentFailure, kCodeUnknownLanguage, kDefaultCaption, TextId::language_unknown,
             value.text);
}

// Pops the text's id, then the script's words for it ("" for the built-in
// text again). $0 "1" when taken; a refused text changes nothing.
void setText(HWND) {
  writeLibraryText(VAR_0, "");
  WideScratch name, words;
  if (popWide(name.text, WideScratch::kSize) == TextRead::kMissing ||
      popWide(words.text, WideScratch::kSize) != TextRead::kOk)
    return;
  TextId id;
  if (!findTextId(name.text, &id)) {
    cutForShowing(name);
    notifyText(NoticeKind::kSilentFailure, kCodeTextRefused, kDefaultCaption, TextId::text_id_unknown,
               name.text);
    return;
  }
  const AuthorTextResult result = setAuthorText(id, words.text);
  if (result == AuthorTextResult::kTaken || result == AuthorTextResult::kBuiltinAgain) {
    QELT_TRACE_WITH(authorText(id), "texts: %s %s", textName(id),
                    result == AuthorTextResult::kTaken ? "set to " : "built-in again");
    writeLibraryText(VAR_0, "1");
    return;
  }
  // The built-in text, placeholders and all, that the words must match.
  wchar_t builtin[1024];
  wideFrom1251(builtinText(id, currentLanguage()), builtin, 1024);
  notifyText(NoticeKind::kSilentFailure, kCodeTextRefused, kDefaultCaption, TextId::text_placeholders_differ,
             name.text, builtin);
}

}  // namespace

QELT_PLUGIN_EXPORT(Language, language, succeedsWhen(VAR_0, "1"))
QELT_PLUGIN_EXPORT(SetText, setText, succeedsWhen(VAR_0, "1"))
