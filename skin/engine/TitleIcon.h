// The title bar's icon: a window's icon kept with its own coverage in each
// pixel (premultiplied alpha), so that its soft edge blends with whatever
// title lies under it instead of with a key colour.
#pragma once

#include <windows.h>

#include "toolkit/graphics/Graphics.h"

// The icon at width x height as a 32-bit image: drawn once on black and once
// on white, the difference of the two is how much of the background shows.
void CaptureTitleIcon(TBitmap& target, HICON icon, int width, int height);

// Blends a 32-bit image with premultiplied alpha over dest, scaled to it;
// a 24-bit image (a skin's own) is drawn with its fuchsia left out.
void DrawTitleIcon(HDC dc, const RECT& dest, TBitmap& image);
