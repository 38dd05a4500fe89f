#include "skin/model/SkinDraw.h"

#include <algorithm>

#include "skin/model/SkinElements.h"
#include "toolkit/platform/OwnedHandle.h"

namespace {

// Keeps the destination where the mask is white, copies the source where it is black.
constexpr DWORD kKeepDestination = 0x00AA0029;

TSkinRect ToSkinRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

void Stretch(HDC target, const TSkinRect& dest, HDC source, const TSkinRect& from) {
  StretchBlt(target, dest.Left, dest.Top, dest.Width(), dest.Height(), source, from.Left, from.Top, from.Width(),
             from.Height(), SRCCOPY);
}

// A tiled piece reads back what it drew, so target must be a memory DC.
void DrawPiece(HDC target, HDC source, const TSlicePiece& piece) {
  if (!piece.Tiled) {
    Stretch(target, piece.Dest, source, piece.Source);
    return;
  }
  const TSkinRect& area = piece.Dest;
  {
    TSaveDC saved(target);
    IntersectClipRect(target, area.Left, area.Top, area.Right, area.Bottom);
    Stretch(target, {area.Left, area.Top, area.Left + piece.TileWidth, area.Top + piece.TileHeight}, source,
            piece.Source);
  }
  for (const TTileCopy& copy : TileCopies(area, piece.TileWidth, piece.TileHeight))
    BitBlt(target, copy.Dest.Left, copy.Dest.Top, copy.Dest.Width(), copy.Dest.Height(), target, copy.Source.Left,
           copy.Source.Top, SRCCOPY);
}

void Present(HDC dc, const RECT& dest, TBitmap& picture, bool transparent) {
  if (transparent)
    DrawTransparent(dc, dest, picture, kSkinTransparent);
  else
    BitBlt(dc, dest.left, dest.top, picture.Width(), picture.Height(), picture.Canvas().Handle(), 0, 0, SRCCOPY);
}

}  // namespace

std::unique_ptr<TBitmap> RenderElement(const RECT& target, TBitmap& image, const TMargins& margins,
                                       bool verticalFrames, bool tile, int frameCount, int frame) {
  auto result = std::make_unique<TBitmap>();
  const int width = target.right - target.left, height = target.bottom - target.top;
  if (width <= 0 || height <= 0) return result;
  result->SetSize(width, height, pf24bit);
  if (image.Empty()) return result;
  TSkinRect source = FrameRect(image.Width(), image.Height(), verticalFrames, frameCount, frame);
  HDC dc = result->Canvas().Handle();
  TStretchMode mode(dc, COLORONCOLOR);
  for (const TSlicePiece& piece : NineSlicePieces(source, {0, 0, width, height}, margins, true, tile))
    DrawPiece(dc, image.Canvas().Handle(), piece);
  return result;
}

void DrawElementBorder(HDC dc, const RECT& dest, TBitmap& image, const TMargins& margins, bool verticalFrames,
                       int frameCount, int frame) {
  if (image.Empty()) return;
  TSkinRect source = FrameRect(image.Width(), image.Height(), verticalFrames, frameCount, frame);
  TStretchMode mode(dc, COLORONCOLOR);
  for (const TSlicePiece& piece : NineSlicePieces(source, ToSkinRect(dest), margins, false, false))
    Stretch(dc, piece.Dest, image.Canvas().Handle(), piece.Source);
}

void DrawThreeSlice(TCanvas& canvas, const RECT& dest, TBitmap& image, bool verticalFrames, bool transparent,
                    int frameCount, int frame, const TMargins& margins) {
  const int width = dest.right - dest.left, height = dest.bottom - dest.top;
  if (width <= 0 || height <= 0 || image.Empty()) return;
  TSkinRect source = FrameRect(image.Width(), image.Height(), verticalFrames, frameCount, frame);
  TBitmap buffer;
  buffer.SetSize(width, height, pf24bit);
  HDC dc = buffer.Canvas().Handle();
  {
    TStretchMode mode(dc, COLORONCOLOR);
    for (const TSlicePiece& piece : ThreeSlicePieces(source, width, height, margins))
      DrawPiece(dc, image.Canvas().Handle(), piece);
  }
  Present(canvas.Handle(), dest, buffer, transparent);
}

void DrawFrameImage(HDC dc, const RECT& dest, TBitmap& image, bool transparent, int frameCount, int frame) {
  const int width = dest.right - dest.left, height = dest.bottom - dest.top;
  if (width <= 0 || height <= 0 || image.Empty()) return;
  TSkinRect source = FrameRect(image.Width(), image.Height(), false, frameCount, frame);
  if (source.IsEmpty()) return;
  TBitmap buffer;
  buffer.SetSize(width, height, pf24bit);
  {
    TStretchMode mode(buffer.Canvas().Handle(), COLORONCOLOR);
    Stretch(buffer.Canvas().Handle(), {0, 0, width, height}, image.Canvas().Handle(), source);
  }
  Present(dc, dest, buffer, transparent);
}

void DrawTransparent(HDC dc, const RECT& dest, TBitmap& bitmap, COLORREF key) {
  const int width = std::min<int>(dest.right - dest.left, bitmap.Width());
  const int height = std::min<int>(dest.bottom - dest.top, bitmap.Height());
  if (width <= 0 || height <= 0) return;
  HDC source = bitmap.Canvas().Handle();
  // Copying colour to monochrome turns pixels of the source's background colour white, all others black.
  TBitmapHandle mask(CreateBitmap(width, height, 1, 1, nullptr));
  {
    TMemoryDCHandle maskDC(CreateCompatibleDC(dc));
    TSelectObject held(maskDC.Get(), mask.Get());
    COLORREF background = SetBkColor(source, key);
    BitBlt(maskDC.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    SetBkColor(source, background);
  }
  MaskBlt(dc, dest.left, dest.top, width, height, source, 0, 0, mask.Get(), 0, 0,
          MAKEROP4(kKeepDestination, SRCCOPY));
}

int DrawWideText(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
  // DT_MODIFYSTRING would write into the caller's constant string.
  return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format & ~UINT(DT_MODIFYSTRING));
}
