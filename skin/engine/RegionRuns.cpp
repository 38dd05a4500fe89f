#include "skin/engine/RegionRuns.h"

#include <algorithm>

TKeyColourTest::TRange TKeyColourTest::RangeOf(uint32_t value, int tolerance) {
  const uint32_t low = value & 0xFF;
  const uint32_t high = std::min<long long>(static_cast<long long>(low) + std::max(tolerance, 0), 255);
  return {low, high - low};
}

TKeyColourTest::TKeyColourTest(uint32_t key, int tolerance)
    : FRed(RangeOf(key, tolerance)), FGreen(RangeOf(key >> 8, tolerance)), FBlue(RangeOf(key >> 16, tolerance)) {}

std::vector<TSkinRect> OpaqueRuns(const TPixelView& pixels, const TKeyColourTest& test, TSkinPoint offset) {
  std::vector<TSkinRect> runs;
  if (!pixels.Origin || pixels.Width <= 0 || pixels.Height <= 0) return runs;
  const long long dx = offset.X, dy = offset.Y;
  for (int y = 0; y < pixels.Height; ++y) {
    const uint32_t* row = pixels.Row(y);
    const int top = ClampToInt(y + dy), bottom = ClampToInt(y + dy + 1);
    for (int x = 0; x < pixels.Width;) {
      while (x < pixels.Width && test.IsTransparent(row[x])) ++x;
      const int start = x;
      while (x < pixels.Width && !test.IsTransparent(row[x])) ++x;
      if (x > start) runs.push_back({ClampToInt(start + dx), top, ClampToInt(x + dx), bottom});
    }
  }
  return runs;
}

std::vector<TRunBlock> RunBlocks(std::span<const TSkinRect> runs, std::size_t blockSize) {
  blockSize = std::max<std::size_t>(blockSize, 1);
  std::vector<TRunBlock> blocks;
  for (std::size_t first = 0; first < runs.size(); first += blockSize) {
    TRunBlock block{first, std::min(blockSize, runs.size() - first), runs[first]};
    for (const TSkinRect& run : runs.subspan(first, block.Count)) {
      block.Bounds.Left = std::min(block.Bounds.Left, run.Left);
      block.Bounds.Top = std::min(block.Bounds.Top, run.Top);
      block.Bounds.Right = std::max(block.Bounds.Right, run.Right);
      block.Bounds.Bottom = std::max(block.Bounds.Bottom, run.Bottom);
    }
    blocks.push_back(block);
  }
  return blocks;
}
