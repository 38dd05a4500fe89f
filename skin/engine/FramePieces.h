// Where PaintFrame puts the parts of a skinned frame in a window of a given
// size, and how each border piece is rendered: margins, frame direction,
// tiling and the state frame.
#pragma once

#include "skin/model/SkinGeometry.h"
#include "skin/engine/FrameMetrics.h"

enum TBorderSide { bdLeft = 1, bdRight = 2, bdTop = 3, bdBottom = 4 };

// All in window coordinates. The side pieces run the window's full height;
// the bottom piece and the title lie between them; the menu bar lies below
// the title. The title cache spans the whole width (so the side pieces'
// tops show in it) and the top piece is drawn into Title.
struct TFrameLayout {
  TSkinRect Left, Right, Bottom, Title, MenuBar;
  TSkinSize TitleCache;
};

TFrameLayout LayoutFrame(int width, int height, const TFrameSizes& frame, int menuHeight);

// A piece rectangle of negative width or height is not painted (an empty one
// goes through and renders nothing).
bool PaintsPiece(const TSkinRect& rect);

// How RenderElement draws one border piece.
struct TPieceRendering {
  TMargins Margins;  // only those along the piece's length
  bool VerticalFrames = false;
  bool Tile = false;
  int FrameCount = 1;
  int Frame = 1;
  bool operator==(const TPieceRendering&) const = default;
};

// margins are the border element's own: the side pieces keep their top and
// bottom heights, the top and bottom pieces their left and right widths. The
// element's Tile field holds the description's Stretch key: anything but 1
// tiles. An inactive window shows frame 2 unless the piece has one frame.
TPieceRendering BorderPieceRendering(TBorderSide side, const TMargins& margins, int stretch, int frameCount,
                                     bool active);
