#include "skin/controls/SkinUpDown.h"

#include "skin/controls/RectOps.h"
#include "skin/controls/UpDownGeometry.h"
#include "skin/model/SkinDraw.h"

namespace {

RECT ToRect(const TSkinRect& rect) { return {rect.Left, rect.Top, rect.Right, rect.Bottom}; }

// A small filled arrow of lines, pointing the half's way, its middle at (x, y).
void DrawArrow(HDC dc, int x, int y, TUpDownButton button, COLORREF colour) {
  TPenHandle pen(CreatePen(PS_SOLID, 1, colour));
  TSelectObject selected(dc, pen.Get());
  // Rows from the tip outwards, 1, 3 and 5 pixels long.
  for (int k = 0; k < 3; ++k) {
    switch (button) {
      case udUp: MoveToEx(dc, x - k, y - 1 + k, nullptr), LineTo(dc, x + k + 1, y - 1 + k); break;
      case udDown: MoveToEx(dc, x - k, y + 1 - k, nullptr), LineTo(dc, x + k + 1, y + 1 - k); break;
      case udLeft: MoveToEx(dc, x - 1 + k, y - k, nullptr), LineTo(dc, x - 1 + k, y + k + 1); break;
      case udRight: MoveToEx(dc, x + 1 - k, y - k, nullptr), LineTo(dc, x + 1 - k, y + k + 1); break;
    }
  }
}

}  // namespace

TSkinUpDown* CompanionUpDown(TComponent* owner, HWND wnd, TSkinData& skinData, TSkinFormLink* form,
                             TCanvas* canvas) {
  if (auto* existing = dynamic_cast<TSkinUpDown*>(TSkinControl::ForWindow(wnd))) return existing;
  auto* skinner = new TSkinUpDown(owner);
  skinner->AttachWindow(wnd, skinData, form, canvas);
  return skinner;
}

bool TSkinUpDown::BeforeMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      PaintMessage(message);
      return false;
    case WM_ERASEBKGND:
      message.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!CallPrevious(message)) return false;
      Set(ssPressed, true);
      Repaint(nullptr);
      return false;
    case WM_LBUTTONUP:
      Set(ssPressed, false);
      if (CallPrevious(message)) Repaint(nullptr);
      return false;
    default:
      return TSkinControl::BeforeMessage(message);
  }
}

void TSkinUpDown::Paint(HDC dc, const RECT&) {
  RECT client;
  GetClientRect(FWindow, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  ReadWindowState();
  TBitmap buffer;
  buffer.SetSize(client.right, client.bottom);
  HDC target = buffer.Canvas().Handle();
  FillBackground(target, client);
  const auto style = static_cast<uint32_t>(GetWindowLongPtrW(FWindow, GWL_STYLE));
  const bool horizontal = UpDownIsHorizontal(FHorizontal, style);
  const TControlSkin skin = Skin();
  TDataSkinBorder* element = horizontal ? skin.UpDownHorz : skin.UpDownVert;
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(FWindow, &cursor);
  for (const TUpDownHalf& half : UpDownHalves(client.right, client.bottom, FInset, horizontal)) {
    const RECT rect = ToRect(half.Rect);
    const int state = UpDownHalfState(FEnabled, Has(ssPressed), PtInRect(&rect, cursor) != 0);
    const int frame = UpDownFrame(state, half.Button);
    if (element && !element->Image.Empty()) {
      DrawFrameImage(target, rect, element->Image, true, element->FrameCount, frame);
      TBitmap& glyph = element->SecondImage;
      if (glyph.Empty()) continue;
      const TSkinRect cell = CentredIn(half.Rect, glyph.Width() / element->FrameCount, glyph.Height());
      DrawFrameImage(target, ToRect(cell), glyph, true, element->FrameCount, frame);
      continue;
    }
    TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(FSkinData->Colours.ButtonDkShadow)));
    TBrushHandle fill(CreateSolidBrush(state == 2 || state == 4 ? ColorToRGB(FSkinData->Colours.ButtonShadow)
                                                                 : FaceColour()));
    {
      TSelectObject outline(target, pen.Get());
      TSelectObject inside(target, fill.Get());
      Rectangle(target, rect.left, rect.top, rect.right, rect.bottom);
    }
    DrawArrow(target, half.ArrowX, half.ArrowY, half.Button, ColorToRGB(FSkinData->Colours.ButtonText));
  }
  BitBlt(dc, 0, 0, client.right, client.bottom, target, 0, 0, SRCCOPY);
}
