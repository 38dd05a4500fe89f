// Where the pieces of a skin image go: frames of a multi-frame image, the
// nine-slice and three-slice layouts and the tiling of their middle parts.
// Plain values only, so that the layouts are tested without a display.
#pragma once

#include <vector>

// Right and bottom are exclusive, as in the platform's RECT.
struct TSkinRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TSkinRect&) const = default;
};

struct TMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TMargins&) const = default;
};

enum TSlicePart {
  spTopLeft, spBottomLeft, spTopRight, spLeft, spTop, spCentre, spBottomRight, spRight, spBottom
};

// One copy: Source (in image coordinates) scaled to Dest. A tiled piece
// instead fills Dest with Source scaled to TileWidth x TileHeight, repeated
// from Dest's top-left corner and cut off at Dest's right and bottom.
struct TSlicePiece {
  TSlicePart Part;
  TSkinRect Source;
  TSkinRect Dest;
  bool Tiled = false;
  int TileWidth = 0;
  int TileHeight = 0;
};

// A copy of pixels already drawn in the target to another place of the target.
struct TTileCopy {
  TSkinRect Source;
  TSkinRect Dest;
};

// Frame `frame` (1-based) of an image cut into frameCount equal frames, stacked
// or side by side. A count below 1 counts as 1, an index outside the frames
// takes the nearest one; the remainder of an uneven cut belongs to no frame.
TSkinRect FrameRect(int imageWidth, int imageHeight, bool verticalFrames, int frameCount, int frame);

// Negative margins count as 0; a pair that does not fit into the target is dropped.
TMargins FitMargins(const TMargins& margins, int targetWidth, int targetHeight);

// The nine-slice of frame into dest, in drawing order: top-left, bottom-left,
// top-right, left, top, centre, bottom-right, right, bottom. Margins are
// fitted first. Sources are clipped to the frame; empty pieces are left out,
// and so is the centre unless withCentre. With tile the centre is tiled at
// its source size, otherwise stretched.
std::vector<TSlicePiece> NineSlicePieces(const TSkinRect& frame, const TSkinRect& dest, const TMargins& margins,
                                         bool withCentre, bool tile);

// The horizontal three-slice of frame into a width x height area at the origin:
// the left margin's columns, the middle columns repeated at their own width
// from x = left while x < width - right, then the right margin's columns, each
// scaled to the full height. Only the left and right margins count.
std::vector<TSlicePiece> ThreeSlicePieces(const TSkinRect& frame, int width, int height, const TMargins& margins);

// How a tiled piece is finished once its first tile is drawn at area's
// top-left corner (cut off at area's edges): each copy doubles the filled
// part, first along the top row of tiles, then downwards. The result equals
// drawing every tile, in a number of copies that grows with the logarithm of
// the repeats rather than with the repeats.
std::vector<TTileCopy> TileCopies(const TSkinRect& area, int tileWidth, int tileHeight);
