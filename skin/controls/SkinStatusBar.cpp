#include "skin/controls/SkinStatusBar.h"

#include <commctrl.h>

#include "skin/controls/StatusBarGeometry.h"
#include "skin/model/SkinDraw.h"
#include "toolkit/forms/StatusBar.h"

namespace {

THorzAlign AlignOf(TAlignment alignment) {
  if (alignment == taRightJustify) return haRight;
  if (alignment == taCenter) return haCentre;
  return haLeft;
}

TPanelEdge EdgeOf(TStatusPanelBevel bevel) {
  if (bevel == pbRaised) return peRaised;
  if (bevel == pbNone) return peNone;
  return peLowered;
}

UINT TextFormat(THorzAlign align) {
  const UINT side = align == haRight ? DT_RIGHT : align == haCentre ? DT_CENTER : DT_LEFT;
  return side | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
}

// A one-pixel frame in the system's colours: lowered has its shadow at the top and left.
void DrawPlainEdge(HDC dc, const RECT& rect, int frame) {
  if (frame == peNone) return;
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF topLeft = frame == peLowered ? shadow : light, bottomRight = frame == peLowered ? light : shadow;
  TPenHandle first(CreatePen(PS_SOLID, 1, topLeft)), second(CreatePen(PS_SOLID, 1, bottomRight));
  {
    TSelectObject pen(dc, first.Get());
    POINT line[] = {{rect.left, rect.bottom - 1}, {rect.left, rect.top}, {rect.right - 1, rect.top}};
    Polyline(dc, line, 3);
  }
  TSelectObject pen(dc, second.Get());
  POINT line[] = {{rect.right - 1, rect.top}, {rect.right - 1, rect.bottom - 1}, {rect.left - 1, rect.bottom - 1}};
  Polyline(dc, line, 3);
}

}  // namespace

bool TSkinStatusBar::BeforeMessage(TMessage& message) {
  if (message.Msg == WM_PAINT) return PaintMessage(message), false;
  if (message.Msg == WM_ERASEBKGND) return message.Result = 1, false;
  return TSkinControl::BeforeMessage(message);
}

void TSkinStatusBar::Paint(HDC dc, const RECT& rect) {
  auto* bar = dynamic_cast<TStatusBar*>(FControl);
  if (!bar) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC scratch = Scratch(width, height);
  FillBackground(scratch, {0, 0, width, height});
  TFont font;
  font.Assign(bar->Font());
  font.SetStyle(0);
  TSelectObject selected(scratch, font.Handle());
  TDataSkinObject* edges = Skin().StatusBarEdges;
  SetTextColour(scratch, edges ? edges->NormalColour2 : font.Color());

  const bool simple = bar->SimplePanel();
  std::vector<TStatusPanelInput> panels;
  for (int i = 0; !simple && i < bar->Panels().Count(); ++i) {
    RECT place{};
    SendMessageW(FWindow, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&place));
    const TStatusPanel& panel = bar->Panels().Items(i);
    panels.push_back({{place.left, place.top, place.right, place.bottom}, AlignOf(panel.Alignment()), EdgeOf(panel.Bevel())});
  }
  const bool rightToLeft = (GetWindowLongPtrW(FWindow, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  const std::vector<TStatusPanelLayout> layout = StatusBarPanels(width, height, simple, panels, rightToLeft);
  int mode = SetBkMode(scratch, TRANSPARENT);
  for (size_t i = 0; i < layout.size(); ++i) {
    const TStatusPanelLayout& panel = layout[i];
    RECT place{panel.Rect.Left, panel.Rect.Top, panel.Rect.Right, panel.Rect.Bottom};
    if (edges && !edges->Image.Empty())
      DrawElement(scratch, place, *edges, 3, panel.Frame);
    else
      DrawPlainEdge(scratch, place, panel.Frame);
    std::wstring text = panels.empty() ? bar->SimpleText() : bar->Panels().Items(int(i)).Text();
    if (text.empty()) text = L" ";
    RECT room{panel.TextRect.Left, panel.TextRect.Top, panel.TextRect.Right, panel.TextRect.Bottom};
    DrawWideText(scratch, text, room, TextFormat(panel.Align));
  }
  SetBkMode(scratch, mode);
  BitBlt(dc, rect.left, rect.top, width, height, scratch, 0, 0, SRCCOPY);
}
