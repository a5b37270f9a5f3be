// Texts between the encodings a run meets: UTF-16 (Windows' own), UTF-8
// (reports, plans and worlds as authors write them) and Windows-1251 (the
// library's code page).
#pragma once

#include <string>
#include <vector>

std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);
bool isUtf8(const std::string& bytes);
std::string utf8FromCodePage(const std::string& bytes, unsigned codePage);
std::string utf8FromUtf16le(const std::string& bytes);

// Converts UTF-8 `text` to Windows-1251. False when it is not UTF-8 or holds
// a letter Windows-1251 lacks; *position is then the byte offset where.
bool utf8ToCp1251(const std::string& text, std::string* out, size_t* position);

void replaceAll(std::string* text, const std::string& from, const std::string& to);
bool startsWith(const std::string& text, const std::string& prefix);

// Lines of `text` without their '\n'; a text that does not end in '\n' has
// an unterminated last line (*lastTerminated false).
std::vector<std::string> splitLines(const std::string& text, bool* lastTerminated = nullptr);
