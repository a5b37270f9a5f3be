#include "token_error_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring text(int32_t code) {
  wchar_t out[1024];
  tokenErrorText(code, out, 1024);
  return out;
}

}  // namespace

TEST(TokenErrorText, KnownCodesHaveTheirOwnText) {
  EXPECT_EQ(text(160), L"Невірний PIN-код (код 160)");
  EXPECT_EQ(text(224), L"Не знайдено підключеного пристою. (код 224)");
  EXPECT_EQ(text(7), L"Невірне значення аргументу (код 7)");
}

TEST(TokenErrorText, EveryOtherCodeIsUndetermined) {
  EXPECT_EQ(text(-1), L"Невизначена помилка (код -1)");
  EXPECT_EQ(text(0), L"Невизначена помилка (код 0)");
  EXPECT_EQ(text(161), L"Невизначена помилка (код 161)");
  EXPECT_EQ(text(INT32_MIN), L"Невизначена помилка (код -2147483648)");
}
