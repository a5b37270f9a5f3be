#include "token_error_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(TokenErrorText, KnownCodesHaveTheirOwnText) {
  EXPECT_EQ(std::string(tokenErrorText(160).text), "Невірний PIN-код (код 160)");
  EXPECT_EQ(std::string(tokenErrorText(224).text), "Не знайдено підключеного пристою. (код 224)");
  EXPECT_EQ(std::string(tokenErrorText(7).text), "Невірне значення аргументу (код 7)");
}

TEST(TokenErrorText, EveryOtherCodeIsUndetermined) {
  EXPECT_EQ(std::string(tokenErrorText(-1).text), "Невизначена помилка (код -1)");
  EXPECT_EQ(std::string(tokenErrorText(0).text), "Невизначена помилка (код 0)");
  EXPECT_EQ(std::string(tokenErrorText(161).text), "Невизначена помилка (код 161)");
  EXPECT_EQ(std::string(tokenErrorText(INT32_MIN).text), "Невизначена помилка (код -2147483648)");
}
