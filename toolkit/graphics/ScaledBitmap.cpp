#include "toolkit/graphics/ScaledBitmap.h"

#include <algorithm>

#include "toolkit/core/DisplayScale.h"
#include "toolkit/graphics/BitmapPixels.h"

namespace {

// Of the picture's size, format and pixels: a change of any changes it. Read
// from the rows in place, so a paint that finds the picture as it was makes
// no copy of it.
uint64_t Fingerprint(TBitmap& image) {
  uint64_t hash = 1469598103934665603ull;
  auto mix = [&](uint64_t value) { hash = (hash ^ value) * 1099511628211ull; };
  mix(uint64_t(image.Width()));
  mix(uint64_t(image.Height()));
  mix(uint64_t(image.PixelFormat()));
  const size_t rowBytes = size_t(image.Width()) * (image.PixelFormat() == pf32bit ? 4 : 3);
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* row = image.ScanLine(y);
    for (size_t i = 0; i < rowBytes; ++i) mix(row[i]);
  }
  return hash;
}

}  // namespace

TBitmap& TScaledBitmap::At(TBitmap& source, int cells, int dpi, bool keyed) {
  if (source.Empty() || dpi == kLayoutDpi || dpi <= 0) return source;
  cells = std::max(1, cells);
  const uint64_t fingerprint = Fingerprint(source);
  if (!FScaled.Empty() && source.Handle() == FSource && fingerprint == FFingerprint && cells == FCells &&
      dpi == FDpi && keyed == FKeyed)
    return FScaled;
  const TPixelImage pixels = PixelsOf(source);
  const TDpiScale scale(dpi);
  const int cellWidth = pixels.Width / cells;
  if (cellWidth <= 0) return source;
  const TKeyColour key{pixels.Bgr[0], pixels.Bgr[1], pixels.Bgr[2], keyed};
  AssignPixels(FScaled, ResampleFrames(pixels, cells, 1, std::max(1, scale.Scale(cellWidth)),
                                       std::max(1, scale.Scale(pixels.Height)), key));
  FSource = source.Handle();
  FFingerprint = fingerprint;
  FCells = cells;
  FDpi = dpi;
  FKeyed = keyed;
  return FScaled.Empty() ? source : FScaled;
}
