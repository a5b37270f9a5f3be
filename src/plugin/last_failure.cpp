#include "last_failure.h"

#include <cwchar>

#include "message_boxes.h"
#include "render.h"
#include "support_log.h"
#include "trace.h"

namespace {

constexpr int kTextCapacity = 2048;

int code = 0;
wchar_t text[kTextCapacity] = L"";
bool quiet = false;

void logNotice(const Notice& notice, bool shown) {
  static const char* const kKinds[] = {"error", "warning", "information", "failure", "note"};
  wchar_t line[kTextCapacity + 400];
  formatNotice(line, sizeof line / sizeof *line, "  %hs (%hs %d%hs%ls%hs): %ls",
               shown ? "box" : "not shown", kKinds[static_cast<int>(notice.kind)], notice.code,
               notice.caption ? ", caption \"" : "", notice.caption ? notice.caption : L"",
               notice.caption ? "\"" : "", notice.text ? notice.text : L"");
  logLine(line);
}

}  // namespace

void forgetLastFailure() {
  code = 0;
  text[0] = L'\0';
}

void receiveNotice(const Notice& notice) {
  if (notice.kind != NoticeKind::kInformation) {
    code = notice.code;
    _snwprintf(text, kTextCapacity - 1, L"%ls", notice.text ? notice.text : L"");
    text[kTextCapacity - 1] = L'\0';
  }
  const bool shown = !quiet && notice.kind != NoticeKind::kSilentFailure && notice.kind != NoticeKind::kNote;
  if (traceSink) logNotice(notice, shown);
  if (shown) showNoticeBox(notice);
}

void recordCancel() {
  code = kCodeCancelled;
  renderText(text, kTextCapacity, TextId::cancelled);
}

int lastFailureCode() { return code; }
const wchar_t* lastFailureText() { return text; }

void setQuiet(bool value) { quiet = value; }
bool isQuiet() { return quiet; }
