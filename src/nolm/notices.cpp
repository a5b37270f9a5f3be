#include "notices.h"

#include <cstdarg>
#include <cwchar>

#include "code_pages.h"
#include "render.h"

namespace {

NoticeSink currentSink = nullptr;

constexpr std::size_t kNoticeCapacity = 2048;

}  // namespace

void setNoticeSink(NoticeSink sink) { currentSink = sink; }

void notify(const Notice& notice) {
  if (currentSink) currentSink(notice);
}

namespace {

constexpr std::size_t kCaptionCapacity = 256;

void notifyTextV(NoticeKind kind, int code, TextId caption, TextId text, va_list values) {
  wchar_t wideText[kNoticeCapacity];
  renderTextV(wideText, kNoticeCapacity, text, values);
  notifyWide(kind, code, wideText, caption);
}

}  // namespace

void notifyWide(NoticeKind kind, int code, const wchar_t* text, TextId caption) {
  wchar_t wideCaption[kCaptionCapacity];
  if (caption != kDefaultCaption) renderText(wideCaption, kCaptionCapacity, caption);
  notify({kind, code, text, caption != kDefaultCaption ? wideCaption : nullptr});
}

void notifyText(NoticeKind kind, int code, TextId caption, TextId text, ...) {
  va_list values;
  va_start(values, text);
  notifyTextV(kind, code, caption, text, values);
  va_end(values);
}

void notifyError(int code, TextId text, ...) {
  va_list values;
  va_start(values, text);
  notifyTextV(NoticeKind::kError, code, kDefaultCaption, text, values);
  va_end(values);
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
