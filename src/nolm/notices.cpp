#include "notices.h"

#include <cstdarg>
#include <cwchar>

#include "code_pages.h"

namespace {

NoticeSink currentSink = nullptr;

constexpr std::size_t kNoticeCapacity = 2048;

}  // namespace

void setNoticeSink(NoticeSink sink) { currentSink = sink; }

void notify(const Notice& notice) {
  if (currentSink) currentSink(notice);
}

void notify1251(NoticeKind kind, int code, const char* text, const char* caption) {
  wchar_t wideText[kNoticeCapacity];
  wchar_t wideCaption[256];
  platform::toWide(text, platform::CodePage::kWindows1251, wideText, kNoticeCapacity);
  if (caption) platform::toWide(caption, platform::CodePage::kWindows1251, wideCaption, 256);
  notify({kind, code, wideText, caption ? wideCaption : nullptr});
}

void formatNotice(wchar_t* out, std::size_t capacity, const char* format, ...) {
  if (!out || capacity == 0) return;
  wchar_t wideFormat[kNoticeCapacity];
  platform::toWide(format, platform::CodePage::kWindows1251, wideFormat, kNoticeCapacity);
  va_list args;
  va_start(args, format);
  int written = _vsnwprintf(out, capacity - 1, wideFormat, args);
  va_end(args);
  if (written < 0 || static_cast<std::size_t>(written) >= capacity) out[capacity - 1] = L'\0';
  else out[written] = L'\0';
}
