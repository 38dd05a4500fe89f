#include "skin/model/SkinTransforms.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kPixelBytes = 3;

// The transforms step through rows 3 bytes a pixel, so any other format would
// be read past its rows' ends.
bool PrepareRows(TBitmap& bitmap) {
  if (bitmap.Empty()) return false;
  bitmap.SetPixelFormat(pf24bit);
  return true;
}

// The bitmap is remade at the turned size, so the old rows are read from a copy.
void Turn(TBitmap& bitmap, bool anticlockwise) {
  if (!PrepareRows(bitmap)) return;
  const int width = bitmap.Width(), height = bitmap.Height();
  const size_t rowBytes = static_cast<size_t>(width) * kPixelBytes;
  std::vector<uint8_t> old(rowBytes * height);
  for (int y = 0; y < height; ++y) std::memcpy(old.data() + y * rowBytes, bitmap.ScanLine(y), rowBytes);
  bitmap.SetSize(height, width, pf24bit);
  for (int y = 0; y < width; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < height; ++x) {
      int oldX = anticlockwise ? width - 1 - y : y;
      int oldY = anticlockwise ? x : height - 1 - x;
      std::memcpy(row + x * kPixelBytes, old.data() + oldY * rowBytes + oldX * kPixelBytes, kPixelBytes);
    }
  }
}

}  // namespace

void MirrorHorizontal(TBitmap& bitmap) {
  if (!PrepareRows(bitmap)) return;
  for (int y = 0; y < bitmap.Height(); ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int left = 0, right = bitmap.Width() - 1; left < right; ++left, --right)
      std::swap_ranges(row + left * kPixelBytes, row + (left + 1) * kPixelBytes, row + right * kPixelBytes);
  }
}

void FlipVertical(TBitmap& bitmap) {
  if (!PrepareRows(bitmap)) return;
  const size_t rowBytes = static_cast<size_t>(bitmap.Width()) * kPixelBytes;
  for (int top = 0, bottom = bitmap.Height() - 1; top < bottom; ++top, --bottom) {
    uint8_t* upper = bitmap.ScanLine(top);
    std::swap_ranges(upper, upper + rowBytes, bitmap.ScanLine(bottom));
  }
}

void RotateLeft(TBitmap& bitmap) { Turn(bitmap, true); }

void RotateRight(TBitmap& bitmap) { Turn(bitmap, false); }
