#include <gtest/gtest.h>

#include "skin/model/ColourText.h"

TEST(ColourText, ThreeNumbersWithAnySeparatorsGiveRedGreenBlue) {
  EXPECT_EQ(ParseColourText(L"0,0,255"), 0x00FF0000u);
  EXPECT_EQ(ParseColourText(L"255 128 0"), 0x000080FFu);
  EXPECT_EQ(ParseColourText(L"255,128,0,"), 0x000080FFu);
  EXPECT_EQ(ParseColourText(L"  10;20/30  "), 0x001E140Au);
  EXPECT_EQ(ParseColourText(L"r=1 g=2 b=3"), 0x00030201u);
}

TEST(ColourText, ComponentsWrapAtOneByte) {
  EXPECT_EQ(ParseColourText(L"300 0 0"), 44u);
  EXPECT_EQ(ParseColourText(L"256,511,1024"), 0x0000FF00u);
}

TEST(ColourText, MissingOrSurplusNumbers) {
  EXPECT_EQ(ParseColourText(L"12"), 0u) << "a lone number is black";
  EXPECT_EQ(ParseColourText(L""), 0u);
  EXPECT_EQ(ParseColourText(L"red"), 0u);
  EXPECT_EQ(ParseColourText(L"12,"), 12u);
  EXPECT_EQ(ParseColourText(L"12 34"), 12u) << "a second number must be followed by a separator";
  EXPECT_EQ(ParseColourText(L"1 2 3 4 5"), 0x00030201u);
}

TEST(ColourText, NumbersTooLargeCountButGiveZero) {
  EXPECT_EQ(ParseColourText(L"99999999999 7 9"), 0x00090700u);
  EXPECT_EQ(ParseColourText(L"1 2 99999999999999999999"), 0x00000201u);
}
