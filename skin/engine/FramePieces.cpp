#include "skin/engine/FramePieces.h"

TFrameLayout LayoutFrame(int width, int height, const TFrameSizes& frame, int menuHeight) {
  const long long w = width, h = height;
  const int innerRight = ClampToInt(w - frame.Right);
  TFrameLayout layout;
  layout.Left = {0, 0, frame.Left, height};
  layout.Right = {innerRight, 0, width, height};
  layout.Bottom = {frame.Left, ClampToInt(h - frame.Bottom), innerRight, height};
  layout.Title = {frame.Left, 0, innerRight, frame.Top};
  layout.MenuBar = {frame.Left, frame.Top, innerRight, ClampToInt(static_cast<long long>(frame.Top) + menuHeight)};
  layout.TitleCache = {width, frame.Top};
  return layout;
}

bool PaintsPiece(const TSkinRect& rect) { return rect.Right >= rect.Left && rect.Bottom >= rect.Top; }

TPieceRendering BorderPieceRendering(TBorderSide side, const TMargins& margins, int stretch, int frameCount,
                                     bool active) {
  TPieceRendering rendering;
  const bool horizontal = side == bdTop || side == bdBottom;
  rendering.Margins = horizontal ? TMargins{margins.Left, 0, margins.Right, 0}
                                 : TMargins{0, margins.Top, 0, margins.Bottom};
  rendering.VerticalFrames = horizontal;
  rendering.Tile = stretch != 1;
  rendering.FrameCount = frameCount;
  rendering.Frame = active || frameCount == 1 ? 1 : 2;
  return rendering;
}
