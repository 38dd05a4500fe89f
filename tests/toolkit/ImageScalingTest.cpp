// Skin images at a display scale: replicated at whole factors, averaged at
// others, with the transparent key colour kept exact.
#include "toolkit/core/ImageScaling.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

using TBgr = std::array<uint8_t, 3>;
constexpr TBgr kKey{255, 0, 255};

TPixelImage Image(int width, int height, const std::function<TBgr(int, int)>& pixel) {
  TPixelImage image{width, height, std::vector<uint8_t>(size_t(width) * size_t(height) * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      TBgr bgr = pixel(x, y);
      std::copy(bgr.begin(), bgr.end(), &image.Bgr[(size_t(y) * size_t(width) + size_t(x)) * 3]);
    }
  return image;
}

TBgr At(const TPixelImage& image, int x, int y) {
  const uint8_t* p = &image.Bgr[(size_t(y) * size_t(image.Width) + size_t(x)) * 3];
  return {p[0], p[1], p[2]};
}

}  // namespace

TEST(ImageScaling, WholeFactorsReplicateEveryPixel) {
  // A checkerboard of two colours and the key: no pixel of the result is a new colour.
  TPixelImage art = Image(5, 3, [](int x, int y) {
    return (x + y) % 3 == 0 ? kKey : (x + y) % 3 == 1 ? TBgr{0, 0, 0} : TBgr{10, 200, 30};
  });
  for (int factor : {1, 2, 3}) {
    TPixelImage big = ResampleImage(art, 5 * factor, 3 * factor);
    ASSERT_EQ(big.Width, 5 * factor);
    for (int y = 0; y < big.Height; ++y)
      for (int x = 0; x < big.Width; ++x) EXPECT_EQ(At(big, x, y), At(art, x / factor, y / factor));
  }
}

TEST(ImageScaling, FractionalScalesKeepTheKeyExactAndBlendOnlyOpaquePixels) {
  // A red disc on the key, like a round title button: at 150 % no pixel may be a
  // mix of red and the key colour (a fuchsia fringe), and the key stays the key.
  TPixelImage disc = Image(16, 16, [](int x, int y) {
    int dx = 2 * x - 15, dy = 2 * y - 15;
    return dx * dx + dy * dy <= 14 * 14 ? TBgr{0, 0, 200} : kKey;
  });
  TPixelImage scaled = ResampleImage(disc, 24, 24);
  ASSERT_EQ(scaled.Width, 24);
  int keyed = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      TBgr pixel = At(scaled, x, y);
      if (pixel == kKey) ++keyed;
      else EXPECT_EQ(pixel, (TBgr{0, 0, 200})) << x << "," << y;
    }
  // The corners stay transparent and the share of transparency follows the source.
  EXPECT_EQ(At(scaled, 0, 0), kKey);
  EXPECT_EQ(At(scaled, 23, 23), kKey);
  EXPECT_EQ(At(scaled, 12, 12), (TBgr{0, 0, 200}));
  int sourceKeyed = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) sourceKeyed += At(disc, x, y) == kKey;
  EXPECT_NEAR(keyed / 576.0, sourceKeyed / 256.0, 0.03);

  // Opaque neighbours blend; an average that would land on the key is moved off it.
  TPixelImage pair = Image(2, 1, [](int x, int) { return x == 0 ? TBgr{255, 0, 254} : TBgr{254, 0, 255}; });
  TPixelImage one = ResampleImage(pair, 1, 1);
  EXPECT_NE(At(one, 0, 0), kKey);

  // A picture without a transparent colour (a photograph) blends every pixel,
  // the key colour's too, and an average may be any colour.
  TKeyColour none;
  none.Used = false;
  TPixelImage half = ResampleImage(Image(2, 1, [](int x, int) { return x == 0 ? kKey : TBgr{1, 0, 1}; }), 1, 1, none);
  EXPECT_EQ(At(half, 0, 0), (TBgr{128, 0, 128}));
  TPixelImage plain = ResampleImage(disc, 24, 24, none);
  EXPECT_EQ(At(plain, 0, 0), kKey) << "a corner all of the key colour stays that colour";
  int mixed = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) mixed += At(plain, x, y) != kKey && At(plain, x, y) != TBgr{0, 0, 200};
  EXPECT_GT(mixed, 20) << "the disc's edge mixes with what lies around it";
}

TEST(ImageScaling, FramesAreResampledApartAndBadSizesGiveNothing) {
  // Three frames of solid colours side by side, at 125 %: every frame keeps its own colour to its edges.
  const TBgr colours[] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}};
  TPixelImage strip = Image(21, 7, [&](int x, int) { return colours[x / 7]; });
  TPixelImage scaled = ResampleFrames(strip, 3, 1, 9, 9);
  ASSERT_EQ(scaled.Width, 27);
  ASSERT_EQ(scaled.Height, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 27; ++x) EXPECT_EQ(At(scaled, x, y), colours[x / 9]) << x;
  // Stacked frames too.
  TPixelImage stacked = Image(4, 6, [&](int, int y) { return colours[y / 3]; });
  TPixelImage tall = ResampleFrames(stacked, 1, 2, 5, 5);
  EXPECT_EQ(At(tall, 2, 4), colours[0]);
  EXPECT_EQ(At(tall, 2, 5), colours[1]);

  EXPECT_EQ(ResampleImage({}, 10, 10).Width, 0);
  EXPECT_EQ(ResampleImage(strip, 0, 10).Width, 0);
  EXPECT_EQ(ResampleFrames(strip, 30, 1, 5, 5).Width, 0);  // frames narrower than a pixel
  TPixelImage truncated = strip;
  truncated.Bgr.resize(10);
  EXPECT_EQ(ResampleImage(truncated, 10, 10).Width, 0);
}
