// A program's picture (a button's glyph strip, an image control's picture)
// at a display scale, by the rules of the skin's images: whole factors
// replicate pixels, others are filtered. The program may change the picture
// at any time, so each paint asks again; it is resampled only when the
// picture or the DPI changed since the last time, and the one scaled copy is
// kept in between.
#pragma once

#include <cstdint>

#include "toolkit/graphics/Graphics.h"

class TScaledBitmap {
 public:
  // source's cells (side by side) at dpi, each resampled on its own; with
  // keyed, the colour of the top-left pixel (the one a glyph leaves out when
  // drawn) is kept exact. source itself at 96 DPI or when it is empty.
  TBitmap& At(TBitmap& source, int cells, int dpi, bool keyed);

 private:
  TBitmap FScaled;
  HBITMAP FSource = nullptr;
  uint64_t FFingerprint = 0;
  int FCells = 0;
  int FDpi = 0;
  bool FKeyed = false;
};
