#include "skin/controls/SkinTabs.h"

#include <commctrl.h>

#include <vector>

#include "skin/controls/TabGeometry.h"
#include "skin/controls/TextPlacement.h"
#include "skin/model/SkinDraw.h"
#include "skin/model/SkinTransforms.h"
#include "toolkit/forms/TabSet.h"

namespace {

constexpr int kTabTextLimit = 80;

RECT ToRect(const TSkinRect& rect) { return {rect.Left, rect.Top, rect.Right, rect.Bottom}; }
TSkinRect ToSkinRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

void Turn(TBitmap& bitmap, TImageTurn turn) {
  switch (turn) {
    case itFlipVertical: return FlipVertical(bitmap);
    case itRotateLeft: return RotateLeft(bitmap);
    case itRotateRight: return RotateRight(bitmap);
    case itNone: return;
  }
}

// A copy of source at 24 bits, turned.
void TurnedCopy(TBitmap& copy, const TBitmap& source, TImageTurn turn) {
  copy.Assign(source);
  copy.SetPixelFormat(pf24bit);
  Turn(copy, turn);
}

TColor TabTextColour(const TDataSkinObject& tabs, int frame) {
  return frame == 2 ? tabs.MouseOverColour2 : tabs.NormalColour2;
}

}  // namespace

void TSkinTab::AttachWindow(HWND wnd, TSkinData& skinData, TSkinFormLink* form, TCanvas* canvas) {
  TSkinControl::AttachWindow(wnd, skinData, form, canvas);
  PrepareImages();
}

void TSkinTab::SkinChanged() {
  PrepareImages();
  TSkinControl::SkinChanged();
}

void TSkinTab::PrepareImages() {
  const auto style = static_cast<uint32_t>(GetWindowLongPtrW(FWindow, GWL_STYLE));
  FOrientation = TabOrientationOf(style);
  FPreparedDpi = DrawDpi();
  TDataSkinBorder* tabs = FSkinData->ControlSkinAt(FPreparedDpi).Tabs;
  if (!tabs) {
    FTabImage.Clear();
    FBorderImage.Clear();
    return;
  }
  const TTabImageTurns turns = TabImageTurns(TTabOrientation(FOrientation));
  TurnedCopy(FTabImage, tabs->Image, turns.TabImage);
  TurnedCopy(FBorderImage, tabs->SecondImage, turns.BorderImage);
}

void TSkinTab::Paint(HDC dc, const RECT& rect) {
  TDataSkinBorder* tabs = FSkinData->Tabs.get();
  if (!tabs || tabs->Image.Empty()) return;
  const auto style = static_cast<uint32_t>(GetWindowLongPtrW(FWindow, GWL_STYLE));
  if (TabOrientationOf(style) != FOrientation || DrawDpi() != FPreparedDpi) PrepareImages();
  ReadWindowState();
  RECT display = rect;
  SendMessageW(FWindow, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  PaintStrip(dc, rect, display);
  if (FBorderImage.Empty()) return;
  TTabStrip strip = TabStripLayout(ToSkinRect(rect), ToSkinRect(display), TTabOrientation(FOrientation));
  const TDpiScale scale(FPreparedDpi);
  const TMargins& m = kTabBorderMargins;
  const TMargins margins{scale.Scale(m.Left), scale.Scale(m.Top), scale.Scale(m.Right), scale.Scale(m.Bottom)};
  DrawElementBorder(dc, ToRect(strip.Page), FBorderImage, margins, false, 1, 1);
}

// The strip is painted as if the tabs stood on top, then turned to their side.
void TSkinTab::PaintStrip(HDC dc, const RECT& rect, const RECT& display) {
  TDataSkinBorder& tabs = *FSkinData->ControlSkinAt(FPreparedDpi).Tabs;
  const auto orientation = TTabOrientation(FOrientation);
  const TTabStrip strip = TabStripLayout(ToSkinRect(rect), ToSkinRect(display), orientation);
  if (strip.BufferWidth <= 0 || strip.BufferHeight <= 0) return;
  FStripBuffer.SetSize(strip.BufferWidth, strip.BufferHeight);
  {
    HDC buffer = FStripBuffer.Canvas().Handle();
    FillBackground(buffer, {0, 0, strip.BufferWidth, strip.BufferHeight});
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(FWindow, WM_GETFONT, 0, 0));
    TSelectObject selected(buffer, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    const int count = int(SendMessageW(FWindow, TCM_GETITEMCOUNT, 0, 0));
    const int focus = int(SendMessageW(FWindow, TCM_GETCURFOCUS, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FWindow, TCM_GETIMAGELIST, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[kTabTextLimit + 1] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT | TCIF_IMAGE;
      item.pszText = text;
      item.cchTextMax = kTabTextLimit;
      SendMessageW(FWindow, TCM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
      RECT tab{};
      SendMessageW(FWindow, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&tab));
      const RECT place = ToRect(TabRectInBuffer(ToSkinRect(tab), strip, orientation));
      const int frame = i == focus ? 2 : 1;
      DrawImage(buffer, place, FTabImage, tabs, tabs.FrameCount, frame, tabs.Trans == 1);
      SetTextColour(buffer, TabTextColour(tabs, frame));
      DrawIconAndText(buffer, place, item.pszText ? item.pszText : L"", images, item.iImage, haCentre, FEnabled);
    }
  }
  Turn(FStripBuffer, TabImageTurns(orientation).Strip);
  TSaveDC saved(dc);
  HWND scroller = FindWindowExW(FWindow, nullptr, UPDOWN_CLASSW, nullptr);
  if (scroller) {
    CompanionUpDown(Owner(), scroller, *FSkinData, FForm, FCanvas);
    if (IsWindowVisible(scroller)) {
      RECT place;
      GetWindowRect(scroller, &place);
      MapWindowPoints(nullptr, FWindow, reinterpret_cast<POINT*>(&place), 2);
      ExcludeClipRect(dc, place.left, place.top, place.right, place.bottom);
    }
  }
  BitBlt(dc, strip.Strip.Left, strip.Strip.Top, FStripBuffer.Width(), FStripBuffer.Height(),
         FStripBuffer.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinTab31::AttachControl(TSkinFormLink* form, TSkinData& skinData, bool useSkinColour, TCanvas* canvas) {
  if (FAttached) return;
  TSkinControl::AttachControl(form, skinData, useSkinColour, canvas);
  PrepareImage();
  auto* set = dynamic_cast<TTabSet*>(FControl);
  if (!set || set->ComponentCount() == 0) return;
  if (auto* scroller = dynamic_cast<TTabScroller*>(set->Components(0))) {
    FScrollerControl = scroller;
    CompanionUpDown(Owner(), scroller->Handle(), skinData, form, canvas)->SetHorizontal(1);
  }
}

void TSkinTab31::SkinChanged() {
  PrepareImage();
  TSkinControl::SkinChanged();
}

void TSkinTab31::PrepareImage() {
  FPreparedDpi = DrawDpi();
  TDataSkinBorder* tabs = FSkinData->ControlSkinAt(FPreparedDpi).Tabs;
  if (!tabs) return FTabImage.Clear();
  TurnedCopy(FTabImage, tabs->Image, itFlipVertical);
}

bool TSkinTab31::BeforeMessage(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND) return message.Result = 1, false;
  if (message.Msg != WM_PAINT) return TSkinControl::BeforeMessage(message);
  // The set's own painting still runs, on what the skin's painting left to paint: nothing.
  PaintMessage(message);
  if (!message.WParam) CallPrevious(message);
  return false;
}

void TSkinTab31::Paint(HDC dc, const RECT& rect) {
  auto* set = dynamic_cast<TTabSet*>(FControl);
  if (DrawDpi() != FPreparedDpi) PrepareImage();
  TDataSkinBorder* tabs = FSkinData->ControlSkinAt(FPreparedDpi).Tabs;
  if (!set || !tabs || tabs->Image.Empty()) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  TBitmap buffer;
  buffer.SetSize(width, height);
  HDC target = buffer.Canvas().Handle();
  FillBackground(target, {0, 0, width, height});
  TSelectObject font(target, set->Font().Handle());
  TTabSetInput in;
  for (int i = set->FirstIndex(); i < set->TabCount(); ++i) {
    SIZE text{};
    GetTextExtentPoint32W(target, set->Tab(i).c_str(), static_cast<int>(set->Tab(i).size()), &text);
    in.TextWidths.push_back(text.cx);
  }
  in.Width = width;
  in.Height = height;
  in.StartMargin = set->StartMargin();
  in.EndMargin = set->EndMargin();
  in.ScrollerVisible = FScrollerControl && FScrollerControl->Visible();
  const std::vector<TSkinRect> places = TabSetLayout(in);
  int mode = SetBkMode(target, TRANSPARENT);
  for (size_t k = 0; k < places.size(); ++k) {
    const int index = set->FirstIndex() + static_cast<int>(k);
    const int frame = index == set->TabIndex() ? 2 : 1;
    RECT place = ToRect(places[k]);
    DrawImage(target, place, FTabImage, *tabs, tabs->FrameCount, frame, tabs->Trans == 1);
    SetTextColour(target, TabTextColour(*tabs, frame));
    DrawWideText(target, set->Tab(index), place, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SetBkMode(target, mode);
  BitBlt(dc, rect.left, rect.top, width, height, target, 0, 0, SRCCOPY);
}
