#include "skin/model/SkinGeometry.h"

#include <algorithm>

namespace {

TSkinRect Intersect(const TSkinRect& a, const TSkinRect& b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
}

// Skin margins larger than their frame would otherwise read a neighbouring
// frame or past the image, and a reversed source would mirror the piece.
void Add(std::vector<TSlicePiece>& pieces, TSlicePart part, const TSkinRect& frame, const TSkinRect& source,
         const TSkinRect& dest) {
  TSlicePiece piece{part, Intersect(source, frame), dest};
  if (!piece.Source.IsEmpty() && !piece.Dest.IsEmpty()) pieces.push_back(piece);
}

void AddTiled(std::vector<TSlicePiece>& pieces, TSlicePart part, const TSkinRect& frame, const TSkinRect& source,
              const TSkinRect& dest, int tileHeight) {
  TSlicePiece piece{part, Intersect(source, frame), dest, true};
  piece.TileWidth = piece.Source.Width();
  piece.TileHeight = tileHeight > 0 ? tileHeight : piece.Source.Height();
  if (!piece.Source.IsEmpty() && !piece.Dest.IsEmpty()) pieces.push_back(piece);
}

}  // namespace

TSkinRect FrameRect(int imageWidth, int imageHeight, bool verticalFrames, int frameCount, int frame) {
  if (imageWidth <= 0 || imageHeight <= 0) return {};
  frameCount = std::max(frameCount, 1);
  frame = std::clamp(frame, 1, frameCount);
  if (verticalFrames) {
    int height = imageHeight / frameCount;
    return {0, (frame - 1) * height, imageWidth, frame * height};
  }
  int width = imageWidth / frameCount;
  return {(frame - 1) * width, 0, frame * width, imageHeight};
}

TMargins FitMargins(const TMargins& margins, int targetWidth, int targetHeight) {
  TMargins fitted{std::max(margins.Left, 0), std::max(margins.Top, 0), std::max(margins.Right, 0),
                  std::max(margins.Bottom, 0)};
  if (static_cast<long long>(targetWidth) < static_cast<long long>(fitted.Left) + fitted.Right)
    fitted.Left = fitted.Right = 0;
  if (static_cast<long long>(targetHeight) < static_cast<long long>(fitted.Top) + fitted.Bottom)
    fitted.Top = fitted.Bottom = 0;
  return fitted;
}

std::vector<TSlicePiece> NineSlicePieces(const TSkinRect& frame, const TSkinRect& dest, const TMargins& margins,
                                         bool withCentre, bool tile) {
  std::vector<TSlicePiece> pieces;
  if (frame.IsEmpty() || dest.IsEmpty()) return pieces;
  const auto [l, t, r, b] = FitMargins(margins, dest.Width(), dest.Height());
  // Source and destination columns and rows: the outer edges and the two cuts.
  const int sx0 = frame.Left, sx1 = frame.Left + l, sx2 = frame.Right - r, sx3 = frame.Right;
  const int sy0 = frame.Top, sy1 = frame.Top + t, sy2 = frame.Bottom - b, sy3 = frame.Bottom;
  const int dx0 = dest.Left, dx1 = dest.Left + l, dx2 = dest.Right - r, dx3 = dest.Right;
  const int dy0 = dest.Top, dy1 = dest.Top + t, dy2 = dest.Bottom - b, dy3 = dest.Bottom;

  Add(pieces, spTopLeft, frame, {sx0, sy0, sx1, sy1}, {dx0, dy0, dx1, dy1});
  Add(pieces, spBottomLeft, frame, {sx0, sy2, sx1, sy3}, {dx0, dy2, dx1, dy3});
  Add(pieces, spTopRight, frame, {sx2, sy0, sx3, sy1}, {dx2, dy0, dx3, dy1});
  Add(pieces, spLeft, frame, {sx0, sy1, sx1, sy2}, {dx0, dy1, dx1, dy2});
  Add(pieces, spTop, frame, {sx1, sy0, sx2, sy1}, {dx1, dy0, dx2, dy1});
  if (withCentre && tile)
    AddTiled(pieces, spCentre, frame, {sx1, sy1, sx2, sy2}, {dx1, dy1, dx2, dy2}, 0);
  else if (withCentre)
    Add(pieces, spCentre, frame, {sx1, sy1, sx2, sy2}, {dx1, dy1, dx2, dy2});
  Add(pieces, spBottomRight, frame, {sx2, sy2, sx3, sy3}, {dx2, dy2, dx3, dy3});
  Add(pieces, spRight, frame, {sx2, sy1, sx3, sy2}, {dx2, dy1, dx3, dy2});
  Add(pieces, spBottom, frame, {sx1, sy2, sx2, sy3}, {dx1, dy2, dx2, dy3});
  return pieces;
}

std::vector<TSlicePiece> ThreeSlicePieces(const TSkinRect& frame, int width, int height, const TMargins& margins) {
  std::vector<TSlicePiece> pieces;
  if (frame.IsEmpty() || width <= 0 || height <= 0) return pieces;
  const int l = std::max(margins.Left, 0), r = std::max(margins.Right, 0);
  Add(pieces, spLeft, frame, {frame.Left, frame.Top, frame.Left + l, frame.Bottom}, {0, 0, l, height});
  AddTiled(pieces, spCentre, frame, {frame.Left + l, frame.Top, frame.Right - r, frame.Bottom},
           {l, 0, width - r, height}, height);
  Add(pieces, spRight, frame, {frame.Right - r, frame.Top, frame.Right, frame.Bottom}, {width - r, 0, width, height});
  return pieces;
}

std::vector<TTileCopy> TileCopies(const TSkinRect& area, int tileWidth, int tileHeight) {
  std::vector<TTileCopy> copies;
  if (area.IsEmpty() || tileWidth <= 0 || tileHeight <= 0) return copies;
  // While the filled part is a whole number of tiles, its start is also where
  // a tile starts at its own end, so copying from the start continues the pattern.
  const int rowHeight = std::min(tileHeight, area.Height());
  for (int filled = std::min(tileWidth, area.Width()); filled < area.Width();) {
    int count = std::min(filled, area.Width() - filled);
    copies.push_back({{area.Left, area.Top, area.Left + count, area.Top + rowHeight},
                      {area.Left + filled, area.Top, area.Left + filled + count, area.Top + rowHeight}});
    filled += count;
  }
  for (int filled = rowHeight; filled < area.Height();) {
    int count = std::min(filled, area.Height() - filled);
    copies.push_back({{area.Left, area.Top, area.Right, area.Top + count},
                      {area.Left, area.Top + filled, area.Right, area.Top + filled + count}});
    filled += count;
  }
  return copies;
}
