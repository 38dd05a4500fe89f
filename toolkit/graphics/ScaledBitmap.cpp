#include "skin/controls/ScaledGlyph.h"

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

TBitmap& TScaledGlyph::At(TBitmap& glyph, int numGlyphs, int dpi) {
  if (glyph.Empty() || dpi == kLayoutDpi || dpi <= 0) return glyph;
  numGlyphs = std::max(1, numGlyphs);
  const TPixelImage pixels = PixelsOf(glyph);
  const uint64_t fingerprint = Fingerprint(pixels);
  if (!FScaled.Empty() && glyph.Handle() == FSource && fingerprint == FFingerprint && numGlyphs == FNumGlyphs &&
      dpi == FDpi)
    return FScaled;
  const TDpiScale scale(dpi);
  const int cellWidth = pixels.Width / numGlyphs;
  if (cellWidth <= 0) return glyph;
  const TKeyColour key{pixels.Bgr[0], pixels.Bgr[1], pixels.Bgr[2]};
  AssignPixels(FScaled, ResampleFrames(pixels, numGlyphs, 1, std::max(1, scale.Scale(cellWidth)),
                                       std::max(1, scale.Scale(pixels.Height)), key));
  FSource = glyph.Handle();
  FFingerprint = fingerprint;
  FNumGlyphs = numGlyphs;
  FDpi = dpi;
  return FScaled.Empty() ? glyph : FScaled;
}
