// Mirrored, flipped and turned skin images, made in place, so that a skin
// stores each image in one orientation only. Each works on 24-bit pixels and
// converts a bitmap of another format first; an empty bitmap is left alone.
#pragma once

#include "toolkit/graphics/Graphics.h"

// new(x, y) = old(W - 1 - x, y)
void MirrorHorizontal(TBitmap& bitmap);
// new(x, y) = old(x, H - 1 - y)
void FlipVertical(TBitmap& bitmap);
// A quarter turn anticlockwise, to H x W: new(x, y) = old(W - 1 - y, x)
void RotateLeft(TBitmap& bitmap);
// A quarter turn clockwise, to H x W: new(x, y) = old(y, H - 1 - x)
void RotateRight(TBitmap& bitmap);
