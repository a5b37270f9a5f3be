#include "last_failure.h"

#include <cwchar>

#include "code_pages.h"
#include "message_boxes.h"

namespace {

constexpr int kTextCapacity = 2048;

int code = 0;
wchar_t text[kTextCapacity] = L"";
bool quiet = false;

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
  const bool shown = notice.kind != NoticeKind::kSilentFailure && notice.kind != NoticeKind::kNote;
  if (!quiet && shown) showNoticeBox(notice);
}

void recordFailure(int failureCode, const char* failureText) {
  code = failureCode;
  platform::toWide(failureText, platform::CodePage::kWindows1251, text, kTextCapacity);
}

void recordCancel() { recordFailure(kCodeCancelled, "Скасовано користувачем."); }

int lastFailureCode() { return code; }
const wchar_t* lastFailureText() { return text; }

void setQuiet(bool value) { quiet = value; }
bool isQuiet() { return quiet; }
