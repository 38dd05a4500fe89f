// The shape of a bitmap as rectangles: every run of pixels that are not the
// key colour on one scan line becomes a rectangle one pixel high, and the
// rectangles are handed to the platform's region calls in blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "skin/engine/Plane.h"

// 32-bit pixels as a 32-bit DIB section holds them: bytes blue, green, red
// and one unused, so a pixel reads 0x00RRGGBB. Row y (from the top) starts at
// Origin + y * Stride: for a bottom-up DIB, whose memory starts with the
// bottom row, Origin is the top row's start and Stride is negative.
struct TPixelView {
  const uint32_t* Origin = nullptr;
  int Width = 0, Height = 0;
  std::ptrdiff_t Stride = 0;  // in pixels

  const uint32_t* Row(int y) const { return Origin + y * Stride; }
};

// A pixel is transparent when each of its red, green and blue values lies
// from the key's value to that value plus tolerance (at most 255). key is a
// COLORREF-style 0x00BBGGRR, as the skin's transparent colour is kept.
class TKeyColourTest {
 public:
  TKeyColourTest(uint32_t key, int tolerance);
  bool IsTransparent(uint32_t pixel) const {
    return Within(pixel >> 16, FRed) && Within(pixel >> 8, FGreen) && Within(pixel, FBlue);
  }

 private:
  struct TRange {
    uint32_t Low, Span;
  };
  static bool Within(uint32_t channel, TRange range) { return ((channel & 0xFF) - range.Low) <= range.Span; }
  static TRange RangeOf(uint32_t value, int tolerance);
  TRange FRed, FGreen, FBlue;
};

// The frame code's transparent colour and tolerance: red 255, green 0 or 1, blue 255.
constexpr uint32_t kRegionKey = 0x00FF00FF;
constexpr int kRegionTolerance = 1;

// The runs of non-transparent pixels, line by line from the top, each line
// left to right, moved by offset.
std::vector<TSkinRect> OpaqueRuns(const TPixelView& pixels, const TKeyColourTest& test, TSkinPoint offset);

// Rectangles go to ExtCreateRegion this many at a time; the regions are united.
constexpr std::size_t kRegionBlockSize = 2000;

struct TRunBlock {
  std::size_t First = 0, Count = 0;
  TSkinRect Bounds;  // the block's bounding box, for the region header
  bool operator==(const TRunBlock&) const = default;
};

// Consecutive blocks of at most blockSize rectangles (a size of 0 counts as 1).
std::vector<TRunBlock> RunBlocks(std::span<const TSkinRect> runs, std::size_t blockSize = kRegionBlockSize);
