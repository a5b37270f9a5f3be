#include "host_text.h"

#include <cstring>
#include <cwchar>

#include "code_pages.h"
#include "format_text.h"
#include "host_context.h"
#include "notices.h"

using platform::CodePage;

namespace {

// Room for a converted variable or entry; larger hosts are cut here.
constexpr std::size_t kMostCharacters = 8192;

std::size_t hostLimit() {
  return hostContext.stringSize > 0 ? static_cast<std::size_t>(hostContext.stringSize) - 1 : 0;
}

void variableName(int index, char* out, std::size_t capacity) {
  if (index < VAR_R0)
    formatText(out, capacity, "у змінній $%d", index);
  else
    formatText(out, capacity, "у змінній $R%d", index - VAR_R0);
}

#ifdef QELT_UNICODE

void refuse(const char* where) {
  char text[512];
  formatText(text, sizeof text,
             "Текст %s містить символи, яких немає в кодуванні Windows-1251.\n"
             "Бібліотека НОЛМ приймає лише текст у цьому кодуванні, тож його не передано.",
             where);
  notify1251(NoticeKind::kError, kCodeRefusedText, text);
}

TextRead toLibrary(const wchar_t* text, char* out, std::size_t capacity, const char* where) {
  if (platform::fromWide(text, CodePage::kWindows1251, out, capacity)) return TextRead::kOk;
  out[0] = '\0';
  if (platform::firstUnrepresentable(text, CodePage::kWindows1251)) {
    refuse(where);
    return TextRead::kRefused;
  }
  return TextRead::kTooLong;
}

TextRead toPath(const wchar_t* text, wchar_t* out, std::size_t capacity) {
  std::size_t length = hostTextLength(text, hostLimit());
  if (length >= capacity) {
    out[0] = L'\0';
    return TextRead::kTooLong;
  }
  std::wmemcpy(out, text, length);
  out[length] = L'\0';
  return TextRead::kOk;
}

void toHost(const char* text, HostChar* out, std::size_t capacity) {
  platform::toWide(text, CodePage::kWindows1251, out, capacity);
}

#else

TextRead toLibrary(const char* text, char* out, std::size_t capacity, const char*) {
  std::size_t length = hostTextLength(text, hostLimit());
  if (length >= capacity) {
    out[0] = '\0';
    return TextRead::kTooLong;
  }
  std::memcpy(out, text, length);
  out[length] = '\0';
  return TextRead::kOk;
}

TextRead toPath(const char* text, wchar_t* out, std::size_t capacity) {
  char whole[kMostCharacters];
  if (toLibrary(text, whole, sizeof whole, nullptr) != TextRead::kOk ||
      !platform::toWide(whole, CodePage::kSystemAnsi, out, capacity)) {
    out[0] = L'\0';
    return TextRead::kTooLong;
  }
  return TextRead::kOk;
}

#endif

}  // namespace

TextRead readLibraryText(int index, char* out, std::size_t capacity) {
  const HostChar* text = getVariable(index);
  if (!text || capacity == 0) return TextRead::kMissing;
  char where[32];
  variableName(index, where, sizeof where);
  return toLibrary(text, out, capacity, where);
}

TextRead popLibraryText(char* out, std::size_t capacity) {
  const HostChar* text = peekStackString();
  if (!text || capacity == 0) return TextRead::kMissing;
  TextRead read = toLibrary(text, out, capacity, "на стеку");
  dropStackEntry();
  return read;
}

TextRead readWide(int index, wchar_t* out, std::size_t capacity) {
  const HostChar* text = getVariable(index);
  if (!text || capacity == 0) return TextRead::kMissing;
  return toPath(text, out, capacity);
}

TextRead popWide(wchar_t* out, std::size_t capacity) {
  const HostChar* text = peekStackString();
  if (!text || capacity == 0) return TextRead::kMissing;
  TextRead read = toPath(text, out, capacity);
  dropStackEntry();
  return read;
}

#ifdef QELT_UNICODE

void writeLibraryText(int index, const char* text) {
  wchar_t wide[kMostCharacters];
  toHost(text ? text : "", wide, kMostCharacters);
  setVariable(index, wide);
}

void pushLibraryText(const char* text) {
  wchar_t wide[kMostCharacters];
  toHost(text ? text : "", wide, kMostCharacters);
  pushStackString(wide);
}

bool writeSystemText(int index, const wchar_t* text) {
  setVariable(index, text ? text : L"");
  return true;
}

void pushDisplayText(const wchar_t* text) { pushStackString(text ? text : L""); }

#else

void writeLibraryText(int index, const char* text) { setVariable(index, text ? text : ""); }

void pushLibraryText(const char* text) { pushStackString(text ? text : ""); }

void pushDisplayText(const wchar_t* text) {
  char bytes[kMostCharacters] = "";
  if (text && !WideCharToMultiByte(1251, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr))
    bytes[0] = '\0';
  bytes[sizeof bytes - 1] = '\0';
  pushStackString(bytes);
}

bool writeSystemText(int index, const wchar_t* text) {
  char bytes[kMostCharacters];
  if (!platform::fromWide(text, CodePage::kSystemAnsi, bytes, sizeof bytes)) {
    if (platform::firstUnrepresentable(text, CodePage::kSystemAnsi)) {
      notify1251(NoticeKind::kError, kCodeRefusedText,
                 "Введений текст містить символи, яких немає в кодуванні системи,\n"
                 "тож його не можна передати інсталятору.");
      return false;
    }
    // Never longer than a variable: names and typed secrets are short.
    bytes[0] = '\0';
  }
  setVariable(index, bytes);
  return true;
}

#endif
