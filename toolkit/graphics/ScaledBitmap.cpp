#include "toolkit/graphics/ScaledBitmap.h"

#include <algorithm>

#include "toolkit/core/DisplayScale.h"
#include "toolkit/graphics/BitmapPixels.h"

namespace {

// Of the picture's size and pixels: a change of either changes it.
uint64_t Fingerprint(const TPixelImage& image) {
  uint64_t hash = 1469598103934665603ull;
  auto mix = [&](uint64_t value) { hash = (hash ^ value) * 1099511628211ull; };
  mix(uint64_t(image.Width));
  mix(uint64_t(image.Height));
  for (uint8_t byte : image.Bgr) mix(byte);
  return hash;
}

}  // namespace

TBitmap& TScaledBitmap::At(TBitmap& source, int cells, int dpi, bool keyed) {
  if (source.Empty() || dpi == kLayoutDpi || dpi <= 0) return source;
  cells = std::max(1, cells);
  const TPixelImage pixels = PixelsOf(source);
  const uint64_t fingerprint = Fingerprint(pixels);
  if (!FScaled.Empty() && source.Handle() == FSource && fingerprint == FFingerprint && cells == FCells &&
      dpi == FDpi && keyed == FKeyed)
    return FScaled;
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
