// A bitmap's pixels as plain 24-bit rows and back, for the resampling that
// takes images to a display scale.
#pragma once

#include "toolkit/core/ImageScaling.h"
#include "toolkit/graphics/Graphics.h"

// A copy of source's pixels (a 32-bit source loses its alpha).
TPixelImage PixelsOf(const TBitmap& source);
// target becomes a 24-bit bitmap of image's size and pixels; an empty image empties it.
void AssignPixels(TBitmap& target, const TPixelImage& image);
