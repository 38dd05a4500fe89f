// Mirrored, flipped and turned skin images: every pixel follows its rule,
// sizes swap on a turn, and 32-bit bitmaps are converted first.
#include <gtest/gtest.h>

#include <functional>

#include "skin/model/SkinTransforms.h"
#include "support/BitmapPixels.h"

namespace {

COLORREF Marker(int x, int y) { return RGB(10 + 20 * x, 10 + 20 * y, 99); }

void MarkedBitmap(TBitmap& bitmap, int width, int height, TPixelFormat format = pf24bit) {
  bitmap.SetSize(width, height, format);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) PaintPixel(bitmap, x, y, Marker(x, y));
}

struct TRule {
  void (*Transform)(TBitmap&);
  bool Turns;
  // The old position whose pixel lands at new (x, y) of an old w x h bitmap.
  std::function<POINT(int x, int y, int w, int h)> From;
};

const TRule kRules[] = {
    {MirrorHorizontal, false, [](int x, int y, int w, int) { return POINT{w - 1 - x, y}; }},
    {FlipVertical, false, [](int x, int y, int, int h) { return POINT{x, h - 1 - y}; }},
    {RotateLeft, true, [](int x, int y, int w, int) { return POINT{w - 1 - y, x}; }},
    {RotateRight, true, [](int x, int y, int, int h) { return POINT{y, h - 1 - x}; }},
};

}  // namespace

// 5 x 3 rows at 24 bits are padded (15 bytes to 16), so a row overrun would show.
TEST(SkinTransforms, EveryPixelFollowsItsRuleInEitherFormat) {
  for (TPixelFormat format : {pf24bit, pf32bit})
    for (const TRule& rule : kRules) {
      TBitmap bitmap;
      MarkedBitmap(bitmap, 5, 3, format);
      rule.Transform(bitmap);
      ASSERT_EQ(bitmap.Width(), rule.Turns ? 3 : 5);
      ASSERT_EQ(bitmap.Height(), rule.Turns ? 5 : 3);
      EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
      for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
          POINT from = rule.From(x, y, 5, 3);
          ASSERT_EQ(PixelAt(bitmap, x, y), Marker(from.x, from.y)) << &rule - kRules << " at " << x << "," << y;
        }
    }
  TBitmap bitmap;
  MarkedBitmap(bitmap, 6, 2);
  RotateLeft(bitmap);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), Marker(5, 0)) << "top-right becomes top-left";
  MarkedBitmap(bitmap, 6, 2);
  RotateRight(bitmap);
  EXPECT_EQ(PixelAt(bitmap, 1, 0), Marker(0, 0)) << "top-left becomes top-right";
}

TEST(SkinTransforms, InversesRestoreAndTinyBitmapsStay) {
  TBitmap bitmap;
  MarkedBitmap(bitmap, 7, 4);
  const auto original = AllPixels(bitmap);
  using TTransform = void (*)(TBitmap&);
  const std::pair<TTransform, TTransform> inverses[] = {
      {MirrorHorizontal, MirrorHorizontal}, {FlipVertical, FlipVertical}, {RotateLeft, RotateRight},
      {RotateRight, RotateLeft}};
  for (auto [first, second] : inverses) {
    first(bitmap);
    second(bitmap);
    EXPECT_EQ(AllPixels(bitmap), original);
  }
  for (const TRule& rule : kRules) {
    TBitmap one, empty;
    MarkedBitmap(one, 1, 1);
    rule.Transform(one);
    EXPECT_EQ(AllPixels(one), std::vector<COLORREF>{Marker(0, 0)});
    rule.Transform(empty);
    EXPECT_TRUE(empty.Empty());
  }
}
