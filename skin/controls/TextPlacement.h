// Where the skinners put texts: a button's caption, an icon with its text in
// a header item or a tab, and a group box's frame under its caption.
#pragma once

#include <cstdint>

#include "skin/model/SkinGeometry.h"

enum THorzAlign { haLeft, haRight, haCentre };

// The rectangle a caption of the measured size is drawn into inside target.
// Centred text keeps its measured width and moves right by half the room;
// other alignments take the target's full width. Either way the text moves
// down by half the spare height, less one pixel (halves truncated toward zero).
TSkinRect CaptionRect(const TSkinRect& target, int textWidth, int textHeight, bool centred);

struct TIconTextPlacement {
  TSkinRect Icon;  // empty without an icon
  TSkinRect Text;
  bool Clipped = false;  // the text is cut short at the item's right edge
};

// An item's icon (square, iconSize wide; 0 for none) and text in item: the
// pair starts 2 px in on the left, 2 px short of the right edge, or centred,
// with the 1-px gap between them left out of that sum; each is centred
// vertically. A pair too wide for the item starts at the left, and its text
// ends 2 px short of the right edge, cut short (the platform's header ends
// it with an ellipsis).
TIconTextPlacement PlaceIconAndText(const TSkinRect& item, int textWidth, int textHeight, int iconSize,
                                    THorzAlign align);

// A header item's alignment and whether its icon shows (only with HDF_IMAGE:
// a list view lends its header its small icons, which its columns do not
// show), from its format bits.
THorzAlign HeaderItemAlign(uint32_t format);
bool HeaderItemShowsIcon(uint32_t format);

// A group box's frame: its top line runs through the middle of the caption
// (textHeight is the height of the font's "0").
TSkinRect GroupBoxFrame(int width, int height, int textHeight);
// The caption starts this far in, drawn opaque so that it cuts the line.
constexpr int kGroupBoxCaptionLeft = 9;
// The frame's rounded corners.
constexpr int kGroupBoxCorner = 5;
