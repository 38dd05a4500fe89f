// A window region from a bitmap: the pixels that are not the skin's
// transparent colour, moved by an offset, as runs of one scan line handed to
// the platform in blocks of 2000 rectangles.
#pragma once

#include <windows.h>

#include "skin/engine/Plane.h"
#include "toolkit/graphics/Graphics.h"
#include "toolkit/platform/OwnedHandle.h"

// May be empty; never none unless the platform refuses a region.
TRegionHandle RegionFromBitmap(const TBitmap& bitmap, TSkinPoint offset);
