#include "text.h"

#include <windows.h>

std::string toUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(length > 0 ? length : 0, '\0');
  if (length > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], length, nullptr, nullptr);
  return out;
}

static std::wstring wideFrom(const std::string& bytes, unsigned codePage, DWORD flags) {
  if (bytes.empty()) return {};
  int length = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(length > 0 ? length : 0, L'\0');
  if (length > 0) MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), &out[0], length);
  return out;
}

std::wstring fromUtf8(const std::string& text) { return wideFrom(text, CP_UTF8, 0); }

bool isUtf8(const std::string& bytes) {
  return bytes.empty() || !wideFrom(bytes, CP_UTF8, MB_ERR_INVALID_CHARS).empty();
}

std::string utf8FromCodePage(const std::string& bytes, unsigned codePage) {
  return toUtf8(wideFrom(bytes, codePage, 0));
}

std::string utf8FromUtf16le(const std::string& bytes) {
  std::wstring wide(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < wide.size(); ++i)
    wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) | static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  return toUtf8(wide);
}

// The length of the UTF-8 sequence that starts with `lead`; 0 for a byte
// that cannot start one.
static size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool utf8ToCp1251(const std::string& text, std::string* out, size_t* position) {
  out->clear();
  for (size_t i = 0; i < text.size();) {
    size_t length = sequenceLength(static_cast<unsigned char>(text[i]));
    std::wstring wide = length && i + length <= text.size()
                            ? wideFrom(text.substr(i, length), CP_UTF8, MB_ERR_INVALID_CHARS)
                            : std::wstring();
    char converted[4];
    BOOL lossy = FALSE;
    int written = wide.size() == 1 ? WideCharToMultiByte(1251, WC_NO_BEST_FIT_CHARS, wide.data(), 1, converted,
                                                         sizeof converted, nullptr, &lossy)
                                   : 0;
    if (written != 1 || lossy) {
      *position = i;
      return false;
    }
    out->push_back(converted[0]);
    i += length;
  }
  return true;
}

void replaceAll(std::string* text, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (size_t at = text->find(from); at != std::string::npos; at = text->find(from, at + to.size()))
    text->replace(at, from.size(), to);
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> splitLines(const std::string& text, bool* lastTerminated) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      if (lastTerminated) *lastTerminated = false;
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (lastTerminated) *lastTerminated = true;
  return lines;
}
