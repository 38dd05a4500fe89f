// The geometry of skinned tab controls and old-style tab sets. A tab
// control's strip is always painted as if its tabs stood on top, into a
// buffer that is then turned to the side they really stand on; these
// functions give the page and strip rectangles, each tab's place in that
// unturned buffer, and how the skin's images are turned to match.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/model/SkinGeometry.h"

enum TTabOrientation { toTop, toBottom, toLeft, toRight };

// From the tab control's style bits (bottom, vertical).
TTabOrientation TabOrientationOf(uint32_t style);

// The bitmap transforms that match the skin's top-standing images to a side.
enum TImageTurn { itNone, itFlipVertical, itRotateLeft, itRotateRight };

struct TTabImageTurns {
  TImageTurn TabImage = itNone;     // the tabs themselves
  TImageTurn BorderImage = itNone;  // the page border
  TImageTurn Strip = itNone;        // the painted strip buffer, before it is copied
};

// Bottom flips both images; the sides turn only the border image (the tabs
// are painted unturned and the buffer turned with them).
TTabImageTurns TabImageTurns(TTabOrientation orientation);

struct TTabStrip {
  TSkinRect Page;    // where the page border is drawn
  TSkinRect Strip;   // the part of the window the tabs stand in
  int BufferWidth = 0;   // the unturned buffer: the strip, with width and
  int BufferHeight = 0;  // height swapped for tabs on the left or right
};

// From the window's zero-based rectangle and its display area (the area the
// control reports for its pages): the display area grown by 4 on every side,
// its edge on the strip's side moved 1 px into the page.
TTabStrip TabStripLayout(const TSkinRect& window, const TSkinRect& displayArea, TTabOrientation orientation);

// A tab's rectangle (window coordinates) in the unturned buffer: one pixel
// down for tabs on top, relative to the strip and one pixel up for tabs at
// the bottom, and turned into the buffer's frame for the sides, so that the
// turn of the whole buffer brings it back to its place.
TSkinRect TabRectInBuffer(const TSkinRect& tab, const TTabStrip& strip, TTabOrientation orientation);

// The page border's fixed margins (left, top, right, bottom).
constexpr TMargins kTabBorderMargins{4, 5, 4, 4};

// ---- Old-style tab sets ----

struct TTabSetInput {
  std::vector<int> TextWidths;  // from the first visible tab on
  int Width = 0;                // the tab set's size
  int Height = 0;
  int StartMargin = 0;
  int EndMargin = 0;
  bool ScrollerVisible = false;
};

// The rectangle of each tab that is drawn, from the first visible one, the
// set's full height: each is its text + 9 wide, and one more
// is drawn while its text plus 9, or plus 21 beside a visible scroller, still
// fits before the end margin.
std::vector<TSkinRect> TabSetLayout(const TTabSetInput& in);
