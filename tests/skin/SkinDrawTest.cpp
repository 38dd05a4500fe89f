// The skin drawing routines against real GDI: pieces land where the layouts
// put them, frames are chosen, magenta stays out of transparent copies, and
// no GDI object is left behind.
#include <gtest/gtest.h>

#include <functional>

#include "skin/model/SkinDraw.h"
#include "skin/model/SkinElements.h"
#include "skin/model/SkinShared.h"
#include "support/BitmapPixels.h"
#include "support/GuiObjects.h"
#include "toolkit/platform/Application.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0),
                   kBlue = RGB(0, 0, 255), kMagenta = kSkinTransparent;
// Top-left, top, top-right, left, centre, right, bottom-left, bottom, bottom-right.
constexpr COLORREF kRegion[9] = {RGB(200, 0, 0),   RGB(0, 200, 0),   RGB(0, 0, 200),
                                 RGB(200, 200, 0), RGB(0, 200, 200), RGB(200, 0, 200),
                                 RGB(90, 90, 90),  RGB(160, 60, 10), RGB(10, 60, 160)};

// The region colour a pixel of a nine-slice with margins 3 must have.
COLORREF Region(int x, int y, const RECT& dest) {
  int column = x < dest.left + 3 ? 0 : x >= dest.right - 3 ? 2 : 1;
  int row = y < dest.top + 3 ? 0 : y >= dest.bottom - 3 ? 2 : 1;
  return kRegion[row * 3 + column];
}

// Each column its own colour.
void Columns(TBitmap& image, std::initializer_list<COLORREF> columns, int height = 2) {
  image.SetSize(static_cast<int>(columns.size()), height);
  int x = 0;
  for (COLORREF colour : columns) PaintPixels(image, {x, 0, x + 1, height}, colour), ++x;
}

class SkinDraw : public ::testing::Test {
 protected:
  // Image: two 9 x 9 frames, the first grey, the second of 3 x 3 regions.
  void SetUp() override {
    MakeFilled(Screen, 40, 30, kWhite);
    MakeFilled(Image, 18, 9, RGB(128, 128, 128));
    for (int i = 0; i < 9; ++i)
      PaintPixels(Image, {9 + i % 3 * 3, i / 3 * 3, 12 + i % 3 * 3, 3 + i / 3 * 3}, kRegion[i]);
  }
  HDC ScreenDC() { return Screen.Canvas().Handle(); }
  void ExpectScreen(const std::function<COLORREF(int x, int y)>& expected) {
    for (int y = 0; y < Screen.Height(); ++y)
      for (int x = 0; x < Screen.Width(); ++x) ASSERT_EQ(PixelAt(Screen, x, y), expected(x, y)) << x << "," << y;
  }
  TBitmap Screen, Image;
};

}  // namespace

TEST_F(SkinDraw, RenderElementPlacesStretchesAndTilesThePieces) {
  const RECT target{0, 0, 20, 15};
  auto result = RenderElement(target, Image, {3, 3, 3, 3}, false, false, 2, 2);
  ASSERT_EQ(std::pair(result->Width(), result->Height()), std::pair(20, 15));
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(PixelAt(*result, x, y), Region(x, y, target)) << x << "," << y;

  auto dropped = RenderElement({5, 5, 15, 15}, Image, {8, 8, 8, 8}, false, false, 2, 2);
  EXPECT_EQ(PixelAt(*dropped, 0, 0), kRegion[0]) << "margins that do not fit: the whole frame stretched";
  EXPECT_EQ(PixelAt(*dropped, 5, 5), kRegion[4]);
  EXPECT_EQ(PixelAt(*dropped, 9, 9), kRegion[8]);

  for (int i = 0; i < 9; ++i) PaintPixel(Image, 12 + i % 3, 3 + i / 3, RGB(20 * i, 255 - 20 * i, 7));
  auto tiled = RenderElement({0, 0, 21, 17}, Image, {3, 3, 3, 3}, false, true, 2, 2);
  for (int y = 3; y < 14; ++y)
    for (int x = 3; x < 18; ++x)
      ASSERT_EQ(PixelAt(*tiled, x, y), PixelAt(Image, 12 + (x - 3) % 3, 3 + (y - 3) % 3)) << x << "," << y;
  EXPECT_EQ(PixelAt(*tiled, 18, 5), kRegion[5]) << "the last tile is cut at the right edge";
}

TEST_F(SkinDraw, FramesAreChosenSideBySideOrStackedAndClamped) {
  auto colourOf = [&](bool vertical, int count, int frame, int x = 0) {
    return PixelAt(*RenderElement({0, 0, 6, 6}, Image, {}, vertical, false, count, frame), x, 0);
  };
  Columns(Image, {kRed, kRed, kGreen, kGreen, kBlue, kBlue});
  EXPECT_EQ(colourOf(false, 3, 2), kGreen);
  EXPECT_EQ(colourOf(false, 3, 0), kRed);
  EXPECT_EQ(colourOf(false, 3, 7), kBlue);
  EXPECT_EQ(colourOf(false, 0, 1, 5), kBlue) << "no frame count: the whole image";
  MakeFilled(Image, 3, 6, kRed);
  PaintPixels(Image, {0, 2, 3, 4}, kGreen);
  EXPECT_EQ(colourOf(true, 3, 2), kGreen);
}

TEST_F(SkinDraw, DrawElementBorderLeavesTheCentreAndTheOutside) {
  const RECT dest{5, 4, 30, 20};
  SetStretchBltMode(ScreenDC(), HALFTONE);
  DrawElementBorder(ScreenDC(), dest, Image, {3, 3, 3, 3}, false, 2, 2);
  EXPECT_EQ(GetStretchBltMode(ScreenDC()), HALFTONE) << "the caller's stretch mode comes back";
  ExpectScreen([&](int x, int y) {
    bool inside = x >= dest.left && x < dest.right && y >= dest.top && y < dest.bottom;
    return inside && Region(x, y, dest) != kRegion[4] ? Region(x, y, dest) : kWhite;
  });
}

TEST_F(SkinDraw, ThreeSliceRepeatsTheMiddleBetweenItsEnds) {
  const COLORREF a = RGB(1, 2, 3), b = RGB(40, 50, 60), c = RGB(70, 80, 90);
  Columns(Image, {kRed, kRed, a, b, c, kBlue, kBlue});
  DrawThreeSlice(Screen.Canvas(), {1, 1, 15, 5}, Image, false, false, 1, 1, {2, 0, 2, 0});
  const COLORREF row[14] = {kRed, kRed, a, b, c, a, b, c, a, b, c, a, kBlue, kBlue};
  ExpectScreen([&](int x, int y) { return x >= 1 && x < 15 && y >= 1 && y < 5 ? row[x - 1] : kWhite; });

  DrawThreeSlice(Screen.Canvas(), {0, 10, 5, 12}, Image, false, false, 1, 1, {3, 0, 3, 0});
  EXPECT_EQ(PixelAt(Screen, 2, 10), c) << "narrower than its ends: the right end is drawn last";

  Columns(Image, {kBlue, kBlue, kBlue, kBlue, kBlue, kRed, kMagenta, kGreen, kMagenta, kRed});
  DrawThreeSlice(Screen.Canvas(), {0, 20, 6, 22}, Image, false, true, 2, 2, {2, 0, 2, 0});
  const COLORREF transparent[6] = {kRed, kWhite, kGreen, kGreen, kWhite, kRed};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(PixelAt(Screen, x, 21), transparent[x]) << x;
}

TEST_F(SkinDraw, FrameImageAndTransparentCopies) {
  Columns(Image, {kRed, kRed, kMagenta, kGreen, kBlue, kBlue});
  DrawFrameImage(ScreenDC(), {2, 2, 10, 6}, Image, true, 3, 2);
  for (int x = 1; x < 11; ++x) EXPECT_EQ(PixelAt(Screen, x, 3), x >= 6 && x < 10 ? kGreen : kWhite) << x;
  DrawFrameImage(ScreenDC(), {2, 8, 10, 9}, Image, false, 3, 2);
  EXPECT_EQ(PixelAt(Screen, 2, 8), kMagenta) << "copied as it is without the flag";

  TBitmap sprite;
  MakeFilled(sprite, 4, 4, kGreen);
  PaintPixels(sprite, {0, 0, 2, 2}, kMagenta);
  DrawTransparent(ScreenDC(), {10, 10, 30, 30}, sprite, kMagenta);
  EXPECT_EQ(PixelAt(Screen, 11, 11), kWhite);
  EXPECT_EQ(PixelAt(Screen, 12, 10), kGreen);
  EXPECT_EQ(PixelAt(Screen, 14, 14), kWhite) << "unscaled";
  DrawTransparent(ScreenDC(), {20, 0, 23, 3}, sprite, kGreen);
  EXPECT_EQ(PixelAt(Screen, 20, 0), kMagenta) << "any key colour";
  EXPECT_EQ(PixelAt(Screen, 22, 2), kWhite);
  EXPECT_EQ(PixelAt(Screen, 23, 3), kWhite) << "cut at dest";
}

TEST_F(SkinDraw, NothingToDrawLeavesTheTargetAlone) {
  TBitmap empty;
  auto fromEmpty = RenderElement({0, 0, 6, 4}, empty, {1, 1, 1, 1}, false, true, 1, 1);
  EXPECT_EQ(AllPixels(*fromEmpty), std::vector<COLORREF>(24, RGB(0, 0, 0)));
  EXPECT_TRUE(RenderElement({5, 5, 5, 9}, Image, {}, false, false, 1, 1)->Empty());
  EXPECT_TRUE(RenderElement({5, 5, 2, 2}, Image, {}, false, false, 1, 1)->Empty());
  const RECT box{0, 0, 10, 10}, inverted{20, 20, 10, 10};
  DrawElementBorder(ScreenDC(), box, empty, {1, 1, 1, 1}, false, 1, 1);
  DrawElementBorder(ScreenDC(), inverted, Image, {1, 1, 1, 1}, false, 1, 1);
  DrawThreeSlice(Screen.Canvas(), box, empty, false, false, 1, 1, {});
  DrawThreeSlice(Screen.Canvas(), inverted, Image, false, false, 1, 1, {});
  DrawFrameImage(ScreenDC(), box, empty, false, 1, 1);
  DrawFrameImage(ScreenDC(), inverted, Image, false, 1, 1);
  DrawFrameImage(ScreenDC(), box, Image, false, 40, 1);
  DrawTransparent(ScreenDC(), inverted, Image, kMagenta);
  ExpectScreen([](int, int) { return kWhite; });
}

TEST_F(SkinDraw, WideTextDrawsTheWholeStringAndNeverWritesIntoIt) {
  const std::wstring text = L"Wide \u5F55\u97F3 text far too long for its box";
  RECT rect{0, 0, 40, 30};
  int height = DrawWideText(ScreenDC(), text, rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_GT(height, 0);
  EXPECT_EQ(text, L"Wide \u5F55\u97F3 text far too long for its box");
  RECT whole{}, cut{};
  DrawWideText(ScreenDC(), std::wstring(L"ab\0cd", 5), whole, DT_CALCRECT | DT_SINGLELINE);
  DrawWideText(ScreenDC(), L"ab", cut, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_GT(whole.right, cut.right) << "the length counts, not the first null";
}

TEST_F(SkinDraw, GdiObjectsComeBackAfterManyCalls) {
  auto everyRoutine = [&] {
    RenderElement({0, 0, 30, 20}, Image, {3, 3, 3, 3}, false, true, 2, 2);
    DrawElementBorder(ScreenDC(), {0, 0, 30, 20}, Image, {3, 3, 3, 3}, false, 2, 2);
    DrawThreeSlice(Screen.Canvas(), {0, 0, 30, 9}, Image, false, true, 2, 2, {3, 0, 3, 0});
    DrawFrameImage(ScreenDC(), {0, 0, 12, 12}, Image, true, 2, 1);
    DrawFrameImage(ScreenDC(), {0, 0, 12, 12}, Image, false, 2, 2);
    RECT rect{0, 0, 40, 20};
    DrawWideText(ScreenDC(), L"text", rect, DT_SINGLELINE);
  };
  everyRoutine();  // the image's and the screen's own canvases are made once
  DWORD before = GdiObjects();
  for (int i = 0; i < 300; ++i) everyRoutine();
  EXPECT_EQ(GdiObjects(), before);
}

TEST(SkinShared, TheScratchBitmapLivesWhileTheEngineRunsAndStretchesColourOnColour) {
  auto run = [] {
    EXPECT_EQ(SkinShared(), nullptr);
    StartSkinShared();
    TSkinShared* shared = SkinShared();
    ASSERT_NE(shared, nullptr);
    StartSkinShared();
    EXPECT_EQ(SkinShared(), shared) << "starting again keeps what there is";
    shared->Scratch.SetSize(8, 8);
    shared->Strings.Add(L"Title");
    EXPECT_EQ(GetStretchBltMode(shared->Scratch.Canvas().Handle()), COLORONCOLOR);
    Application.ProcessMessagesFor(10);  // the idle loop lets the context go
    EXPECT_EQ(GetStretchBltMode(shared->Scratch.Canvas().Handle()), COLORONCOLOR) << "a new context keeps the mode";
    StopSkinShared();
    EXPECT_EQ(SkinShared(), nullptr);
  };
  run();  // the platform makes some objects of its own on first use
  DWORD stopped = GdiObjects();
  run();
  EXPECT_EQ(GdiObjects(), stopped);
}
