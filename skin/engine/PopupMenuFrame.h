// A skinned drop-down or popup menu window: its 3-pixel frame ring copied
// from the rendered background, the inner area its items are drawn in, and
// the part of the background under one item.
#pragma once

#include <array>
#include <cstdint>

#include "skin/engine/Plane.h"

constexpr int kPopupFrameWidth = 3;

// The ring in the window of size width x height, each strip at the place it
// has in the background: top (full width), bottom (from 3 rows above the
// end), left and right (between them). A window too small for the ring gets
// strips cut to the window, never inverted ones.
std::array<TSkinRect, 4> PopupFrameStrips(int width, int height);

// The clipping area of WM_PRINT's items: the window inset by the ring.
TSkinRect PopupItemArea(int width, int height);

// Where an item's rectangle (client coordinates, inside the ring) lies in the
// background rendered for the whole window.
TSkinRect PopupBackgroundSource(const TSkinRect& item);

// WM_NCPAINT is skinned on the NT family and on the other one (a version
// value with its high bit set); on any other platform it is dropped.
bool PaintsPopupFrame(bool ntPlatform, uint32_t windowsVersion);
