// A program's button picture (a bit or speed button's glyph strip) at a
// display scale. The program may change the picture at any time, so each
// paint asks again; it is resampled only when the picture or the DPI
// changed since the last time, and the one scaled copy is kept in between.
#pragma once

#include <cstdint>

#include "toolkit/graphics/Graphics.h"

class TScaledGlyph {
 public:
  // glyph's cells at dpi, each resampled on its own with the colour of the
  // strip's top-left pixel (the one left out when drawn) kept exact; glyph
  // itself at 96 DPI or when it is empty.
  TBitmap& At(TBitmap& glyph, int numGlyphs, int dpi);

 private:
  TBitmap FScaled;
  HBITMAP FSource = nullptr;
  uint64_t FFingerprint = 0;
  int FNumGlyphs = 0;
  int FDpi = 0;
};
