#include "skin/controls/SkinBars.h"

#include <commctrl.h>

#include "skin/controls/ProgressGeometry.h"
#include "skin/controls/TrackBarDraw.h"
#include "skin/model/SkinDraw.h"

namespace {

RECT ToRect(const TSkinRect& rect) { return {rect.Left, rect.Top, rect.Right, rect.Bottom}; }

}  // namespace

void TSkinProgress::Paint(HDC dc, const RECT& rect) {
  TDataSkinBorder* progress = Skin().Progress;
  if (!progress || progress->Image.Empty()) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const int position = int(SendMessageW(FWindow, PBM_GETPOS, 0, 0));
  const int upper = int(SendMessageW(FWindow, PBM_GETRANGE, FALSE, 0));
  HDC scratch = Scratch(width, height);
  const RECT whole{0, 0, width, height};
  FillBackground(scratch, whole);
  const TSkinRect bar{0, 0, width, height};
  TBitmap& chunk = progress->SecondImage;
  if (progress->Style == 1 && !chunk.Empty()) {
    DrawImage(scratch, whole, progress->Image, *progress, 1, 1, true);
    for (const TSkinRect& place : ProgressChunks(bar, position, upper, progress->LeftWidth, chunk.Width(), chunk.Height()))
      DrawTransparent(scratch, ToRect(place), chunk, kSkinTransparent);
  } else {
    DrawImage(scratch, whole, progress->Image, *progress, 2, 1, true);
    const TSkinRect fill = ProgressFill(bar, position, upper);
    if (!fill.IsEmpty()) DrawImage(scratch, ToRect(fill), progress->Image, *progress, 2, 2, true);
  }
  BitBlt(dc, rect.left, rect.top, width, height, scratch, 0, 0, SRCCOPY);
}

bool TSkinTrackBar::BeforeMessage(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND) return message.Result = 1, false;
  if (message.Msg != WM_NOTIFY && message.Msg != CN_NOTIFY) return TSkinControl::BeforeMessage(message);
  auto& draw = *reinterpret_cast<NMCUSTOMDRAW*>(message.LParam);
  if (draw.hdr.hwndFrom != FWindow || !IsCustomDrawNotification(message.Msg, int(draw.hdr.code))) return true;
  const TCustomDrawAnswer answer = TrackBarCustomDraw(draw.dwDrawStage, draw.dwItemSpec);
  // A thumb that cannot be drawn is left undrawn this time.
  if (answer.DrawThumb) SkinBoundary(L"track bar thumb", [&] { DrawThumb(draw.hdc); });
  message.Result = LRESULT(answer.Result);
  return false;
}

void TSkinTrackBar::DrawThumb(HDC dc) {
  RECT thumb{};
  SendMessageW(FWindow, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const auto style = static_cast<uint32_t>(GetWindowLongPtrW(FWindow, GWL_STYLE));
  const TControlSkin skin = Skin();
  TDataSkinObject* vertical = skin.TrackbarThumbVert;
  TDataSkinObject* horizontal = skin.TrackbarThumbHorz;
  const bool hasVertical = vertical && !vertical->Image.Empty();
  TDataSkinObject* image = TrackThumbImage(style, hasVertical) == ttVertical ? vertical : horizontal;
  if (image && !image->Image.Empty())
    return DrawFrameImage(dc, thumb, image->Image, true, kTrackThumbCells, kTrackThumbCell);
  TBrushHandle shadow(CreateSolidBrush(ColorToRGB(FSkinData->Colours.ButtonShadow)));
  FrameRect(dc, &thumb, shadow.Get());
}
