#include <gtest/gtest.h>

#include "toolkit/core/IniValue.h"

TEST(IniValue, DecimalAndHexadecimalIntegers) {
  EXPECT_EQ(IntegerFromText(L"42"), 42);
  EXPECT_EQ(IntegerFromText(L" -7 "), -7);
  EXPECT_EQ(IntegerFromText(L"+3"), 3);
  EXPECT_EQ(IntegerFromText(L"$1F"), 31);
  EXPECT_EQ(IntegerFromText(L"0xff"), 255);
  EXPECT_EQ(IntegerFromText(L"$FFFFFFFF"), -1);
}

TEST(IniValue, LimitsOfThirtyTwoBits) {
  EXPECT_EQ(IntegerFromText(L"2147483647"), INT32_MAX);
  EXPECT_EQ(IntegerFromText(L"-2147483648"), INT32_MIN);
  EXPECT_EQ(IntegerFromText(L"2147483648"), std::nullopt);
  EXPECT_EQ(IntegerFromText(L"99999999999999999999999"), std::nullopt);
  EXPECT_EQ(IntegerFromText(L"$100000000"), std::nullopt);
}

TEST(IniValue, TextThatIsNotAnInteger) {
  for (const wchar_t* text : {L"", L" ", L"-", L"$", L"0x", L"12abc", L"1 2", L"1.5", L"--1", L"$G"})
    EXPECT_EQ(IntegerFromText(text), std::nullopt) << text;
}
