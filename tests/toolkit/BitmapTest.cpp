// TBitmap's loading, copies and conversions against real GDI: the decoder
// agrees with the platform's own reading of each format, the canvas follows
// the bitmap through every change of handle and lets its context go when the
// program is idle; and what the canvas and fonts draw with.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "support/BitmapPixels.h"
#include "support/GuiObjects.h"
#include "toolkit/BmpBytes.h"
#include "toolkit/core/BmpFile.h"
#include "toolkit/core/MemoryStream.h"
#include "toolkit/platform/Application.h"

namespace {

void Load(TBitmap& bitmap, const BmpBytes& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
}

// The file's header and pixels as the platform draws them onto black 32-bit rows.
std::vector<COLORREF> PlatformPixels(const BmpBytes& bytes, int width, int height) {
  TBitmap target;
  target.SetSize(width, height, pf32bit);
  StretchDIBits(target.Canvas().Handle(), 0, 0, width, height, 0, 0, width, height,
                bytes.data() + (bytes[10] | bytes[11] << 8), reinterpret_cast<const BITMAPINFO*>(bytes.data() + 14),
                DIB_RGB_COLORS, SRCCOPY);
  return AllPixels(target);
}

BmpBytes Ramp(int width, int height, int bits) {
  BmpBytes bytes((size_t(width) * bits + 31) / 32 * 4 * std::abs(height));
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 3);
  return bytes;
}

std::vector<uint32_t> Palette(int count) {
  std::vector<uint32_t> colours;
  for (int i = 0; i < count; ++i) colours.push_back(uint32_t(i * 0x0F1D33) & 0xFFFFFF);
  return colours;
}

}  // namespace

TEST(Bitmap, LoadFromStreamAgreesWithThePlatformDecoder) {
  const std::vector<std::pair<const char*, TBmpFields>> files = {
      {"1 bit", {.Width = 13, .Height = 5, .BitCount = 1, .Palette = Palette(2), .Pixels = Ramp(13, 5, 1)}},
      {"4 bits", {.Width = 7, .Height = 3, .BitCount = 4, .Palette = Palette(16), .Pixels = Ramp(7, 3, 4)}},
      {"8 bits top-down", {.Width = 6, .Height = -4, .BitCount = 8, .Palette = Palette(256), .Pixels = Ramp(6, 4, 8)}},
      {"core", {.HeaderSize = 12, .Width = 5, .Height = 2, .BitCount = 8, .Palette = Palette(256),
                .Pixels = Ramp(5, 2, 8)}},
      {"5-5-5", {.Width = 5, .Height = 3, .BitCount = 16, .Pixels = Ramp(5, 3, 16)}},
      {"5-6-5", {.Width = 5, .Height = 3, .BitCount = 16, .Compression = kBmpBitFields,
                 .Masks = {0xF800, 0x07E0, 0x001F}, .Pixels = Ramp(5, 3, 16)}},
      {"24 bits V5", {.HeaderSize = 124, .Width = 3, .Height = 3, .Pixels = Ramp(3, 3, 24)}},
      {"32 bits V4 masks", {.HeaderSize = 108, .Width = 4, .Height = 2, .BitCount = 32, .Compression = kBmpBitFields,
                            .Masks = {0xFF000000, 0xFF0000, 0xFF00}, .Pixels = Ramp(4, 2, 32)}},
      {"RLE8", {.Width = 6, .Height = 3, .BitCount = 8, .Compression = kBmpRle8, .Palette = Palette(256),
                .Pixels = {3, 200, 0, 3, 9, 80, 7, 0, 0, 0, 0, 2, 2, 1, 1, 250, 0, 1}}},
      {"RLE4", {.Width = 6, .Height = 2, .BitCount = 4, .Compression = kBmpRle4, .Palette = Palette(16),
                .Pixels = {5, 0x3C, 0, 0, 0, 3, 0x12, 0xF0, 0, 1}}},
  };
  for (const auto& [name, fields] : files) {
    BmpBytes bytes = MakeBmp(fields);
    TBitmap bitmap;
    Load(bitmap, bytes);
    ASSERT_EQ(bitmap.Width(), fields.Width) << name;
    ASSERT_EQ(bitmap.Height(), std::abs(fields.Height)) << name;
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(AllPixels(bitmap), PlatformPixels(bytes, bitmap.Width(), bitmap.Height())) << name;
  }
}

TEST(Bitmap, LoadFromStreamReadsFromThePositionAndKeepsThePictureOnFailure) {
  BmpBytes bytes = MakeBmp({.Width = 2, .Pixels = {1, 2, 3, 4, 5, 6, 0, 0}});
  TMemoryStream stream;
  stream.WriteBuffer("junk", 4);
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream.SetPosition(4);
  TBitmap bitmap;
  bitmap.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), stream.Size());
  EXPECT_EQ(PixelAt(bitmap, 1, 0), RGB(6, 5, 4));
  bytes[1] = 'X';
  EXPECT_THROW(Load(bitmap, bytes), EInvalidGraphic);
  EXPECT_THROW(bitmap.LoadFromStream(stream), EInvalidGraphic) << "nothing left to read";
  EXPECT_EQ(PixelAt(bitmap, 1, 0), RGB(6, 5, 4));
}

TEST(Bitmap, AssignAndPixelFormatKeepThePixels) {
  TBitmap source, copy;
  MakeFilled(source, 3, 3, RGB(9, 8, 7), pf32bit);
  for (int i = 0; i < 9; ++i) PaintPixel(source, i % 3, i / 3, RGB(i, 100 + i, 200 + i));
  const auto original = AllPixels(source);
  copy.Assign(source);
  EXPECT_EQ(copy.PixelFormat(), pf32bit);
  EXPECT_NE(copy.Handle(), source.Handle());
  EXPECT_EQ(AllPixels(copy), original);
  PaintPixel(source, 0, 0, RGB(200, 0, 0));
  EXPECT_EQ(AllPixels(copy), original) << "the copy has pixels of its own";
  copy.SetPixelFormat(pf24bit);
  EXPECT_EQ(AllPixels(copy), original) << "rows of 9 bytes in a stride of 12";
  copy.SetPixelFormat(pf32bit);
  EXPECT_EQ(AllPixels(copy), original);
  copy.Assign(TBitmap());
  EXPECT_TRUE(copy.Empty());
  EXPECT_EQ(copy.Width(), 0);
}

TEST(Bitmap, TheCanvasFollowsEveryNewHandle) {
  TBitmap bitmap, source;
  MakeFilled(source, 5, 5, RGB(7, 7, 7));
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(RGB(0, 90, 0));
  auto paintsThrough = [&] {
    canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    return PixelAt(bitmap, bitmap.Width() - 1, bitmap.Height() - 1) == RGB(0, 90, 0);
  };
  bitmap.SetSize(4, 3);
  EXPECT_TRUE(paintsThrough()) << "SetSize";
  bitmap.Assign(source);
  EXPECT_TRUE(paintsThrough()) << "Assign";
  bitmap.SetPixelFormat(pf32bit);
  EXPECT_TRUE(paintsThrough()) << "SetPixelFormat";
  bitmap.Clear();
  EXPECT_EQ(bitmap.Handle(), nullptr);
  EXPECT_EQ(bitmap.Height(), 0);
  bitmap.SetSize(2, 2);
  EXPECT_TRUE(paintsThrough()) << "after Clear";
  // A bitmap held by its own canvas can still be drawn elsewhere.
  source.Canvas().Draw(0, 0, bitmap);
  EXPECT_EQ(PixelAt(source, 1, 1), RGB(0, 90, 0));

  bitmap.Clear();
  DWORD before = GdiObjects();
  for (int i = 0; i < 200; ++i) {
    bitmap.SetSize(3 + i % 4, 2);
    bitmap.SetPixelFormat(i % 2 ? pf32bit : pf24bit);
    bitmap.Assign(source);
    bitmap.Clear();
  }
  EXPECT_EQ(GdiObjects(), before);
}

TEST(Bitmap, CanvasContextsGoWhenTheMessageLoopIsIdle) {
  constexpr int kBitmaps = 30;
  std::vector<TBitmap> bitmaps(kBitmaps);
  for (int i = 0; i < kBitmaps; ++i) {
    bitmaps[i].SetSize(4, 4);
    bitmaps[i].Canvas().SetStretchMode(COLORONCOLOR);
    bitmaps[i].Canvas().Brush().SetColor(RGB(i, 0, 0));
    bitmaps[i].Canvas().FillRect({0, 0, 4, 4});
  }
  DWORD drawing = GdiObjects();
  Application.ProcessMessagesFor(10);
  EXPECT_EQ(GdiObjects(), drawing - kBitmaps) << "each bitmap's memory context is gone";
  for (int i = 0; i < kBitmaps; ++i) EXPECT_EQ(PixelAt(bitmaps[i], 3, 3), RGB(i, 0, 0));
  HDC again = bitmaps[7].Canvas().Handle();
  EXPECT_EQ(GetPixel(again, 1, 1), RGB(7, 0, 0)) << "a new context holds the same bitmap";
  EXPECT_EQ(GetStretchBltMode(again), COLORONCOLOR) << "and the canvas's stretch mode";
}

TEST(Bitmap, TheCanvasDrawsFramesRoundedRectanglesStretchedBitmapsAndText) {
  TBitmap target;
  MakeFilled(target, 40, 20, RGB(255, 255, 255));
  TCanvas& canvas = target.Canvas();
  canvas.Brush().SetColor(RGB(0, 0, 255));
  canvas.FrameRect({0, 0, 10, 10});
  EXPECT_EQ(PixelAt(target, 0, 5), RGB(0, 0, 255));
  EXPECT_EQ(PixelAt(target, 5, 5), RGB(255, 255, 255)) << "a frame leaves the inside";
  canvas.Brush().SetStyle(bsClear);
  canvas.RoundRect({10, 0, 20, 10}, 4, 4);
  canvas.FillRect({0, 0, 40, 20});
  EXPECT_EQ(PixelAt(target, 15, 5), RGB(255, 255, 255)) << "a clear brush fills nothing";
  EXPECT_EQ(PixelAt(target, 15, 0), RGB(0, 0, 0)) << "the pen still outlines";
  canvas.Brush().SetStyle(bsSolid);
  canvas.RoundRect({20, 0, 30, 10}, 4, 4);
  EXPECT_EQ(PixelAt(target, 25, 5), RGB(0, 0, 255));

  TBitmap checks;
  MakeFilled(checks, 2, 1, RGB(255, 0, 0));
  PaintPixel(checks, 1, 0, RGB(0, 255, 0));
  canvas.StretchDraw({30, 10, 38, 14}, checks);
  EXPECT_EQ(PixelAt(target, 33, 13), RGB(255, 0, 0));
  EXPECT_EQ(PixelAt(target, 34, 10), RGB(0, 255, 0));

  SIZE one = canvas.TextExtent(L"录");
  EXPECT_GT(one.cy, 0);
  EXPECT_EQ(canvas.TextWidth(L"录录"), 2 * one.cx);
  RECT text{0, 10, 40, 20};
  canvas.Brush().SetColor(RGB(0, 128, 0));
  canvas.DrawText(L" ", text, DT_SINGLELINE);
  EXPECT_EQ(PixelAt(target, 1, 12), RGB(255, 255, 255)) << "text keeps the background";
  canvas.DrawText(L" ", text, DT_SINGLELINE, true);
  EXPECT_EQ(PixelAt(target, 1, 12), RGB(0, 128, 0)) << "unless an opaque one is asked for";
}

TEST(Bitmap, AFontKeepsItsHandleWhenOnlyItsColourChanges) {
  TFont font;
  struct TChanges {
    int Count = 0;
    void Changed() { ++Count; }
  } changes;
  font.SetOnChange(TMethod<>::Of<&TChanges::Changed>(changes));
  HFONT handle = font.Handle();
  font.SetColor(clBlue);
  EXPECT_EQ(font.Handle(), handle);
  TFont same;
  same.SetColor(clWhite);
  font.Assign(same);
  EXPECT_EQ(font.Handle(), handle) << "assigning a font of the same shape";
  EXPECT_EQ(changes.Count, 2) << "a colour change is still a change";
  font.SetHeight(-16);
  LOGFONTW log{};
  EXPECT_TRUE(GetObjectW(font.Handle(), sizeof(log), &log));
  EXPECT_EQ(log.lfHeight, -16);
}
