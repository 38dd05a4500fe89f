#include "skin/engine/RegionFromBitmap.h"

#include <cstring>
#include <vector>

#include "skin/engine/RegionRuns.h"

namespace {

// One block of runs as RGNDATA: the header, then the rectangles.
TRegionHandle BlockRegion(std::span<const TSkinRect> runs, const TSkinRect& bounds) {
  std::vector<uint8_t> buffer(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(runs.size());
  data->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  data->rdh.rcBound = {bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
  auto* rects = reinterpret_cast<RECT*>(buffer.data() + sizeof(RGNDATAHEADER));
  for (size_t i = 0; i < runs.size(); ++i) rects[i] = {runs[i].Left, runs[i].Top, runs[i].Right, runs[i].Bottom};
  return TRegionHandle(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}

}  // namespace

TRegionHandle RegionFromBitmap(const TBitmap& bitmap, TSkinPoint offset) {
  TRegionHandle result(CreateRectRgn(0, 0, 0, 0));
  if (bitmap.Empty() || !result) return result;
  TBitmap pixels;
  pixels.Assign(bitmap);
  pixels.SetPixelFormat(pf32bit);
  TPixelView view{reinterpret_cast<const uint32_t*>(pixels.ScanLine(0)), pixels.Width(), pixels.Height(), 0};
  if (pixels.Height() > 1)
    view.Stride = (pixels.ScanLine(1) - pixels.ScanLine(0)) / static_cast<std::ptrdiff_t>(sizeof(uint32_t));
  std::vector<TSkinRect> runs = OpaqueRuns(view, TKeyColourTest(kRegionKey, kRegionTolerance), offset);
  for (const TRunBlock& block : RunBlocks(runs)) {
    TRegionHandle part = BlockRegion(std::span(runs).subspan(block.First, block.Count), block.Bounds);
    if (part) CombineRgn(result.Get(), result.Get(), part.Get(), RGN_OR);
  }
  return result;
}
