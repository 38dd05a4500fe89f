#include "skin/engine/TitleIcon.h"

#include <algorithm>

#include "skin/model/SkinDraw.h"

namespace {

void IconOn(TBitmap& bitmap, HICON icon, int width, int height, TColor background) {
  bitmap.SetSize(width, height, pf32bit);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(background);
  canvas.FillRect({0, 0, width, height});
  DrawIconEx(canvas.Handle(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
}

}  // namespace

void CaptureTitleIcon(TBitmap& target, HICON icon, int width, int height) {
  TBitmap onBlack, onWhite;
  IconOn(onBlack, icon, width, height, clBlack);
  IconOn(onWhite, icon, width, height, clWhite);
  target.SetSize(width, height, pf32bit);
  for (int y = 0; y < height; ++y) {
    const uint8_t* black = onBlack.ScanLine(y);
    const uint8_t* white = onWhite.ScanLine(y);
    uint8_t* out = target.ScanLine(y);
    for (int x = 0; x < width; ++x, black += 4, white += 4, out += 4) {
      int shown = 0;  // how much of the white background came through
      for (int c = 0; c < 3; ++c) shown = std::max(shown, white[c] - black[c]);
      const auto alpha = static_cast<uint8_t>(255 - std::clamp(shown, 0, 255));
      // On black the pixel is the icon's colour already multiplied by its coverage.
      for (int c = 0; c < 3; ++c) out[c] = std::min(black[c], alpha);
      out[3] = alpha;
    }
  }
}

void DrawTitleIcon(HDC dc, const RECT& dest, TBitmap& image) {
  if (image.Empty()) return;
  if (image.PixelFormat() != pf32bit) return DrawFrameImage(dc, dest, image, true, 1, 1);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, image.Canvas().Handle(), 0,
                0, image.Width(), image.Height(), blend);
}
