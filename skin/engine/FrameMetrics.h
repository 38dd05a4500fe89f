// The sizes of a skinned frame and the rectangles derived from them: the
// frame sizes from the border images, the client rectangle the frame leaves
// (WM_NCCALCSIZE), window coordinates of a point, and the size that gives a
// window back to the platform's frame with the same client area.
#pragma once

#include "skin/engine/FrameStyles.h"
#include "skin/engine/Plane.h"

// Widths of the left and right border pieces, heights of the top (title) and
// bottom pieces.
struct TFrameSizes {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TFrameSizes&) const = default;
};

// One border piece's image: its size and the number of state frames in it.
struct TBorderImage {
  int Width = 0, Height = 0;
  int FrameCount = 1;
};

// The top and bottom pieces hold their frames stacked, the left and right
// ones side by side, so a frame size is the image's size in that direction
// divided by its frame count. A count below 1, which a description may give,
// counts as 1. A kind-2 frame (the platform's) has no sizes.
TFrameSizes FrameSizesOf(const TBorderImage& left, const TBorderImage& right, const TBorderImage& top,
                         const TBorderImage& bottom, TFrameKind frameKind);

// The client rectangle of WM_NCCALCSIZE for a proposed window position (its
// WINDOWPOS x, y, cx, cy): inside the frame and below the menu bar. A window
// smaller than its frame gets an empty client rectangle at the frame's inner
// top-left corner rather than an inverted one.
TSkinRect NcClientRect(int x, int y, int cx, int cy, const TFrameSizes& frame, int menuHeight);

// A client point in window coordinates (origin at the window's top-left
// corner). A minimised window has no skinned frame, so its points stay.
TSkinPoint ClientToWindow(TSkinPoint client, TSkinWindowState state, const TFrameSizes& frame, int menuHeight);

// The window size under the platform's frame that keeps the client area of a
// window of size `window` under the skin's frame; platformFrame is the width
// and height the platform's frame took when the skinner attached.
TSkinSize DetachedWindowSize(TSkinSize window, TSkinSize platformFrame, const TFrameSizes& frame, int menuHeight);
