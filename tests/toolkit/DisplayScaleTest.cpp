#include "toolkit/core/DisplayScale.h"

#include <gtest/gtest.h>

#include <limits>

TEST(DisplayScale, RoundsToTheNearestPixelWithHalvesAwayFromZero) {
  EXPECT_EQ(MulDivRound(1, 3, 2), 2);    // 1.5
  EXPECT_EQ(MulDivRound(-1, 3, 2), -2);  // -1.5
  EXPECT_EQ(MulDivRound(5, 120, 96), 6);   // 6.25
  EXPECT_EQ(MulDivRound(7, 120, 96), 9);   // 8.75
  EXPECT_EQ(MulDivRound(-12, 144, 96), -18);
  EXPECT_EQ(MulDivRound(3, -1, 2), -2);
  EXPECT_EQ(MulDivRound(3, 1, -2), -2);
  EXPECT_EQ(MulDivRound(4, 5, 0), 0);
  // Products beyond 32 bits neither wrap nor lose the result's sign.
  int big = std::numeric_limits<int>::max();
  EXPECT_EQ(MulDivRound(big, big, big), big);
  EXPECT_EQ(MulDivRound(big, 4, 2), big);
  EXPECT_EQ(MulDivRound(std::numeric_limits<int>::min(), 4, 2), std::numeric_limits<int>::min());
}

TEST(DisplayScale, LengthsAndRectanglesAtTheUsualScales) {
  for (int dpi : {96, 120, 144, 168, 192, 288}) {
    TDpiScale scale(dpi);
    for (int value = -300; value <= 600; ++value) {
      int scaled = scale.Scale(value);
      EXPECT_LE(std::abs(scaled * 96 - value * dpi), 48) << dpi << " " << value;
      // Back to 96 DPI every length is the one given: no drift over repeated changes.
      EXPECT_EQ(scale.Unscale(scaled), value) << dpi << " " << value;
    }
    // Edges are scaled, so adjacent rectangles stay adjacent and a size is off by a pixel at most.
    TScaledRect left = scale.Scale(TScaledRect{3, 5, 41, 17}), right = scale.Scale(TScaledRect{41, 5, 77, 17});
    EXPECT_EQ(left.Right, right.Left);
    EXPECT_LE(std::abs((left.Right - left.Left) - scale.Scale(38)), 1);
    EXPECT_EQ(scale.Unscale(left), (TScaledRect{3, 5, 41, 17}));
  }
  EXPECT_EQ(TDpiScale(0).Dpi(), 96);
  EXPECT_EQ(TDpiScale(-5).Scale(10), 10);
  EXPECT_TRUE(TDpiScale(192).IsWhole());
  EXPECT_EQ(TDpiScale(288).WholeFactor(), 3);
  EXPECT_FALSE(TDpiScale(144).IsWhole());
  EXPECT_FALSE(TDpiScale(167).PrefersDoubleImages());
  EXPECT_TRUE(TDpiScale(168).PrefersDoubleImages());
  EXPECT_EQ(TDpiScale(144).ScaleFrom(40, 192), 30);
}
