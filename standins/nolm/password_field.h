// Password fields as the library receives them: 33 bytes, the first 32
// characters of a text space-padded to 32, then a zero byte.
#pragma once

#include <cstddef>
#include <string>

constexpr std::size_t kPasswordFieldSize = 33;

// The field a text gives (a longer text is cut at 32 characters).
std::string fieldFromText(const std::string& text);
// The 33 bytes at `bytes`, whatever they hold.
std::string fieldAt(const char* bytes);

std::string hexOf(const std::string& bytes);
// Reads hex digits (either case) into bytes; false on anything else.
bool bytesFromHex(const std::string& hex, std::string* bytes);
