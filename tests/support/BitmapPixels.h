// Pixel access to TBitmap for drawing tests, through the bitmap's rows in
// either format.
#pragma once

#include <windows.h>

#include <vector>

#include "toolkit/graphics/Graphics.h"

inline COLORREF PixelAt(TBitmap& bitmap, int x, int y) {
  const uint8_t* p = bitmap.ScanLine(y) + x * (bitmap.PixelFormat() / 8);
  return RGB(p[2], p[1], p[0]);
}

inline std::vector<COLORREF> AllPixels(TBitmap& bitmap) {
  std::vector<COLORREF> pixels;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(PixelAt(bitmap, x, y));
  return pixels;
}

inline void PaintPixels(TBitmap& bitmap, const RECT& rect, COLORREF colour) {
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) {
      uint8_t* p = bitmap.ScanLine(y) + x * (bitmap.PixelFormat() / 8);
      p[0] = GetBValue(colour), p[1] = GetGValue(colour), p[2] = GetRValue(colour);
    }
}

inline void PaintPixel(TBitmap& bitmap, int x, int y, COLORREF colour) {
  PaintPixels(bitmap, {x, y, x + 1, y + 1}, colour);
}

inline void MakeFilled(TBitmap& bitmap, int width, int height, COLORREF colour, TPixelFormat format = pf24bit) {
  bitmap.SetSize(width, height, format);
  PaintPixels(bitmap, {0, 0, width, height}, colour);
}
