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

constexpr int kOnStack = -1;

#ifdef QELT_UNICODE

// where: the variable's index, or kOnStack.
void refuse(int where) {
  if (where == kOnStack) {
    notifyError(kCodeRefusedText, TextId::text_refused_on_stack);
    return;
  }
  wchar_t name[8];
  formatWide(name, 8, where < VAR_R0 ? L"%d" : L"R%d", where % VAR_R0);
  notifyError(kCodeRefusedText, TextId::text_refused_in_variable, name);
}

TextRead toLibrary(const wchar_t* text, char* out, std::size_t capacity, int where) {
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

TextRead toLibrary(const char* text, char* out, std::size_t capacity, int) {
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
  if (toLibrary(text, whole, sizeof whole, kOnStack) != TextRead::kOk ||
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
  return toLibrary(text, out, capacity, index);
}

TextRead popLibraryText(char* out, std::size_t capacity) {
  const HostChar* text = peekStackString();
  if (!text || capacity == 0) return TextRead::kMissing;
  TextRead read = toLibrary(text, out, capacity, kOnStack);
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

void writeDisplayText(int index, const wchar_t* text) { setVariable(index, text ? text : L""); }

void pushDisplayText(const wchar_t* text) { pushStackString(text ? text : L""); }

#else

void writeLibraryText(int index, const char* text) { setVariable(index, text ? text : ""); }

void pushLibraryText(const char* text) { pushStackString(text ? text : ""); }

// In Windows-1251, letters it lacks as '?'.
void toDisplayBytes(const wchar_t* text, char (&bytes)[kMostCharacters]) {
  bytes[0] = '\0';
  if (text && !WideCharToMultiByte(1251, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr))
    bytes[0] = '\0';
  bytes[sizeof bytes - 1] = '\0';
}

void writeDisplayText(int index, const wchar_t* text) {
  char bytes[kMostCharacters];
  toDisplayBytes(text, bytes);
  setVariable(index, bytes);
}

void pushDisplayText(const wchar_t* text) {
  char bytes[kMostCharacters];
  toDisplayBytes(text, bytes);
  pushStackString(bytes);
}

bool writeSystemText(int index, const wchar_t* text) {
  char bytes[kMostCharacters];
  if (!platform::fromWide(text, CodePage::kSystemAnsi, bytes, sizeof bytes)) {
    if (platform::firstUnrepresentable(text, CodePage::kSystemAnsi)) {
      notifyError(kCodeRefusedText, TextId::typed_text_refused);
      return false;
    }
    // Never longer than a variable: names and typed secrets are short.
    bytes[0] = '\0';
  }
  setVariable(index, bytes);
  return true;
}

#endif
