// The panels a skinned status bar paints: their rectangles, the room for
// their text, their alignment and the frame of the edge image they show.
#pragma once

#include <vector>

#include "skin/model/SkinGeometry.h"
#include "skin/controls/TextPlacement.h"

// A panel's bevel as the frame of the skin's three-frame edge image.
enum TPanelEdge { peLowered = 1, peRaised = 2, peNone = 3 };

struct TStatusPanelInput {
  TSkinRect Rect;  // as the bar reports it
  THorzAlign Align = haLeft;
  TPanelEdge Edge = peLowered;
};

struct TStatusPanelLayout {
  TSkinRect Rect;
  TSkinRect TextRect;  // 2 px in at both sides
  THorzAlign Align = haLeft;
  int Frame = peLowered;
};

// A bar that shows its simple text, or has no panels, paints one lowered,
// left-aligned panel over its whole width and height. Otherwise every panel
// keeps its own rectangle except the last, which reaches to the bar's right
// edge; right-to-left reading swaps left and right alignment.
std::vector<TStatusPanelLayout> StatusBarPanels(int barWidth, int barHeight, bool simple,
                                                const std::vector<TStatusPanelInput>& panels, bool rightToLeft);
