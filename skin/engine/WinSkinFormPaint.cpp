// The skinned frame on screen: the four border pieces, the title bar composed
// off screen with its caption and buttons and copied once, single buttons
// redrawn alone as the mouse moves over them, and the window's region from
// the transparent parts of the border pieces.
#include <optional>

#include "skin/engine/CaptionLayout.h"
#include "skin/engine/FrameFitting.h"
#include "skin/engine/FramePieces.h"
#include "skin/engine/FrameRegion.h"
#include "skin/engine/RegionFromBitmap.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SysButtonLayout.h"
#include "skin/engine/TitleIcon.h"
#include "skin/engine/WinSkinForm.h"
#include "skin/engine/WinSkinMenu.h"
#include "skin/engine/WinSysButton.h"
#include "skin/engine/WindowFacts.h"
#include "skin/model/SkinData.h"
#include "skin/model/SkinDraw.h"
#include "skin/model/SkinShared.h"
#include "toolkit/core/DisplayScale.h"

namespace {

TDataSkinBorder& BorderOf(const TFrameSkin& skin, int index) {
  switch (index) {
    case bdLeft: return *skin.Left;
    case bdRight: return *skin.Right;
    case bdTop: return *skin.Top;
    default: return *skin.Bottom;
  }
}

// The border piece of side rendered at size, in the window's activation state.
std::unique_ptr<TBitmap> RenderPiece(const TFrameSkin& skin, int side, int width, int height, bool active) {
  TDataSkinBorder& border = BorderOf(skin, side);
  TMargins margins{border.LeftWidth, border.TopHeight, border.RightWidth, border.BottomHeight};
  TPieceRendering how = BorderPieceRendering(TBorderSide(side), margins, border.Tile, border.FrameCount, active);
  return RenderElement({0, 0, width, height}, border.Image, how.Margins, how.VerticalFrames, how.Tile,
                       how.FrameCount, how.Frame);
}

TTitleText TitleTextOf(const TDataSkinTitle& title) {
  return {title.LeftWidth, title.TopHeight, title.RightWidth, title.TextAlignment, title.TXTBackleft,
          title.TXTBackRight};
}

// Copies a part of source (from, its size) into a new bitmap.
TBitmap& CopyPart(TBitmap& target, TBitmap& source, const TSkinRect& from) {
  target.SetSize(from.Width(), from.Height());
  BitBlt(target.Canvas().Handle(), 0, 0, from.Width(), from.Height(), source.Canvas().Handle(), from.Left, from.Top,
         SRCCOPY);
  return target;
}

}  // namespace

// While the component's painting is switched off (a menu change passes
// through) nothing is painted, and the platform does not paint either.
void TWinSkinForm::WMNcPaint(TMessage& message) {
  if (!SkinData->NcPaintEnabled) {
    message.Result = 0;
    return;
  }
  if (KeepsPlatformFrame(FormKind, WindowState, FrameKind)) return Default(message);
  PaintFrame(nullptr);
  message.Result = 0;
}

void TWinSkinForm::PaintFrame(HDC dc) {
  if (!SkinShared() || !PaintsFrame(LifeState, FrameKind, FormKind, WindowState)) return;
  if (!dc) {
    TWindowDC own = TWindowDC::WholeWindow(Handle);
    if (own.Get()) PaintFrame(own.Get());
    return;
  }
  try {
    GetWindowRect(Handle, &WindowRect);
    WindowWidth = WindowRect.right - WindowRect.left;
    WindowHeight = WindowRect.bottom - WindowRect.top;
    TFrameLayout layout = LayoutFrame(WindowWidth, WindowHeight, FrameSizes(), MenuHeight);
    PaintBorderPiece(bdLeft, ToRect(layout.Left), dc);
    PaintBorderPiece(bdRight, ToRect(layout.Right), dc);
    PaintBorderPiece(bdBottom, ToRect(layout.Bottom), dc);
    PaintTitle(dc);
    if (SkinMenu) SkinMenu->PaintBar(dc, ToRect(layout.MenuBar));
  } catch (...) {
    // A frame that cannot be painted keeps what it showed; the window works on.
  }
  HotObject = nullptr;
}

void TWinSkinForm::PaintBorderPiece(int index, const RECT& rect, HDC dc) {
  if (!PaintsPiece(ToSkin(rect))) return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const TPieceSource source{&BorderOf(FrameSkin, index), SkinData->SkinLoad};
  TBitmap& piece = Pieces.Piece(index, Active, width, height, source,
                                [&] { return RenderPiece(FrameSkin, index, width, height, Active); });
  if (piece.Empty()) return;
  BitBlt(dc, rect.left, rect.top, width, height, piece.Canvas().Handle(), 0, 0, SRCCOPY);
}

// The title bar is composed in TitleCache and copied once, so caption and
// buttons never flicker. The band is first read from the window, so the
// tops of the side pieces drawn there stay. Without the buttons it is kept
// in FTitleBackground, and composed again only when what it shows changed.
void TWinSkinForm::PaintTitle(HDC dc) {
  const int width = WindowWidth, height = FrameTop;
  if (width <= 0 || height <= 0) return;
  if (TitleCache.Width() != width || TitleCache.Height() != height) TitleCache.SetSize(width, height);
  HDC cache = TitleCache.Canvas().Handle();
  // The buttons at the right are placed before the caption, which a popup's
  // ends in front of: from the first paint on, not after the next one.
  LayoutSysButtons();
  const TTitleKey key{width, height, WindowHeight, Dpi, RightmostButtonLeft, int(WindowState), int(FrameKind), Active,
                      RightToLeft, Style, CaptionFont.Get(), SkinData->SkinLoad, CaptionPrefix + L"\n" + CaptionText};
  if (key == FTitleKey && FTitleBackground.Width() == width && FTitleBackground.Height() == height) {
    BitBlt(cache, 0, 0, width, height, FTitleBackground.Canvas().Handle(), 0, 0, SRCCOPY);
  } else {
    BitBlt(cache, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    TFrameLayout layout = LayoutFrame(WindowWidth, WindowHeight, FrameSizes(), MenuHeight);
    PaintBorderPiece(bdTop, ToRect(layout.Title), cache);
    PaintCaption(ToRect(layout.Title));
    FTitleBackground.Assign(TitleCache);
    FTitleKey = key;
  }
  LayoutSysButtons();
  DrawTitleButtons();
  BitBlt(dc, 0, 0, width, height, cache, 0, 0, SRCCOPY);
  SetBkMode(dc, OPAQUE);
}

void TWinSkinForm::PaintCaption(const RECT& title) {
  HDC dc = TitleCache.Canvas().Handle();
  TSelectObject font(dc, CaptionFont.Get());
  const int mode = SetBkMode(dc, TRANSPARENT);
  const TSkinColours& colours = SkinData->Colours;
  SetTextColor(dc, ColorToRGB(Active ? colours.TitleTextActive : colours.TitleTextNoActive));

  const TDataSkinTitle& element = *FrameSkin.Title;
  TCaptionInput in{ToSkin(title),
                   CaptionExtent(dc, MeasuredCaption(CaptionPrefix, CaptionText)),
                   TitleTextOf(element),
                   RightToLeft,
                   (Style & WS_POPUP) != 0,
                   RightmostButtonLeft};
  TCaptionLayout layout = LayoutCaption(in);
  CaptionRect = ToRect(layout.CaptionRect);
  TDataSkinTitle& back = *FrameSkin.Title;
  if (!back.Image.Empty())
    DrawThreeSlice(TitleCache.Canvas(), ToRect(layout.TextBack), back.Image, true, true, 2, TextBackFrame(Active),
                   {element.TXTBackleft, 0, element.TXTBackRight, 0});
  RECT text = ToRect(layout.TextRect);
  DrawWideText(dc, DrawnCaption(CaptionPrefix, CaptionText), text, layout.DrawFormat);
  SetBkMode(dc, mode);
}

TSkinSize TWinSkinForm::CaptionExtent(HDC dc, const std::wstring& text) {
  TSelectObject font(dc, CaptionFont.Get());
  RECT measured{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, kCaptionMeasureFormat);
  return {measured.right - measured.left, measured.bottom - measured.top};
}

int TWinSkinForm::TitleButtonsRoom(int windowWidth) {
  return CaptionButtonsRoom(windowWidth, PlaceSysButtons(windowWidth).RightmostButtonLeft, FrameRight);
}

TSkinSize TWinSkinForm::LeastTrackSize() {
  if (FMeasuredShortCaption != CaptionText || FShortCaptionWidth == 0) {
    constexpr size_t kShownCharacters = 3;
    const std::wstring shortCaption = DrawnCaption(CaptionPrefix, CaptionText.substr(0, kShownCharacters)) +
                                      (CaptionText.size() > kShownCharacters ? L"..." : L"");
    FMeasuredShortCaption = CaptionText;
    FShortCaptionWidth = CaptionExtent(TWindowDC(Handle).Get(), shortCaption).Width;
  }
  TMinTrackInput in{FrameSizes(), MenuHeight, TitleMargins(), (Style & WS_POPUP) != 0, FShortCaptionWidth};
  return MinTrackSize(in, SysButtonInfos(), TitleState());
}

TTitleState TWinSkinForm::TitleState() const {
  return {FrameKind, BorderIcons, WindowState, Active, FormKind, IsActiveChildMaximised(), MenuHeight};
}

std::vector<TSysButtonInfo> TWinSkinForm::SysButtonInfos() const {
  std::vector<TSysButtonInfo> buttons;
  for (auto& button : SysButtons) buttons.push_back(button->Info());
  return buttons;
}

TTitleMargins TWinSkinForm::TitleMargins() const {
  const TDataSkinTitle& title = *FrameSkin.Title;
  return {title.LeftWidth, title.RightWidth, title.TXTBackleft, title.TXTBackRight};
}

TSysButtonLayout TWinSkinForm::PlaceSysButtons(int windowWidth) {
  TButtonPlaceContext place{windowWidth, FrameSizes(), MenuHeight, RightToLeft, ToSkin(CaptionRect), std::nullopt};
  if (SkinData->MenuBar) place.MenuBarLeftWidth = TDpiScale(Dpi).Scale(SkinData->MenuBar->LeftWidth);
  return ::LayoutSysButtons(SysButtonInfos(), TitleState(), place);
}

void TWinSkinForm::LayoutSysButtons() {
  TSysButtonLayout layout = PlaceSysButtons(WindowWidth);
  for (size_t i = 0; i < SysButtons.size(); ++i) {
    SysButtons[i]->Visible = layout.Buttons[i].Visible;
    if (layout.Buttons[i].Bounds) SysButtons[i]->Bounds = *layout.Buttons[i].Bounds;
  }
  RightmostButtonLeft = layout.RightmostButtonLeft;
}

bool TWinSkinForm::IsSysButtonVisible(TWinSysButton& button) {
  button.Visible = ::IsSysButtonVisible(button.Info(), TitleState());
  return button.Visible;
}

TBitmap& TWinSkinForm::ButtonImage(TWinSysButton& button) {
  return IsIconAction(button.Element.Action) ? IconBitmap : button.Element.Image;
}

void TWinSkinForm::DrawTitleButtons() {
  HDC cache = TitleCache.Canvas().Handle();
  for (auto& button : SysButtons) {
    if (!DrawsInTitle(button->Info(), button->Visible)) continue;
    TBitmap& image = ButtonImage(*button);
    if (image.Empty()) continue;
    const int count = button->Element.FrameCount;
    if (IsIconAction(button->Element.Action))
      DrawTitleIcon(cache, ToRect(button->Bounds), image);
    else
      DrawFrameImage(cache, ToRect(button->Bounds), image, true, count, TitleButtonFrame(Active, count));
  }
}

// One button in its state, drawn over the background it has in the frame
// (so a frame with transparent parts does not keep the previous state's
// pixels), then copied to the window in one piece.
void TWinSkinForm::PaintSysButton(TWinSysButton& button) {
  if (!PaintsFrame(LifeState, FrameKind, FormKind, WindowState)) return;
  TBitmap& image = ButtonImage(button);
  const TSkinRect bounds = button.Bounds;
  if (image.Empty() || bounds.IsEmpty()) return;
  try {
    TBitmap composed;
    composed.SetSize(bounds.Width(), bounds.Height());
    const RECT local{0, 0, bounds.Width(), bounds.Height()};
    if (!PaintButtonBackground(composed, bounds)) return;
    if (IsIconAction(button.Element.Action))
      DrawTitleIcon(composed.Canvas().Handle(), local, image);
    else
      DrawFrameImage(composed.Canvas().Handle(), local, image, true, button.Element.FrameCount,
                     ButtonStateFrame(button.State, button.Element.Visibility));
    TWindowDC dc = TWindowDC::WholeWindow(Handle);
    BitBlt(dc.Get(), bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), composed.Canvas().Handle(), 0, 0,
           SRCCOPY);
  } catch (...) {
    // As with the whole frame: a button that cannot be drawn stays as it was.
  }
}

// What lies under a button: the title bar without its buttons, or the menu bar.
bool TWinSkinForm::PaintButtonBackground(TBitmap& target, const TSkinRect& bounds) {
  TBitmap* source = &FTitleBackground;
  TSkinRect from = bounds;
  if (bounds.Bottom > FrameTop) {
    if (!SkinMenu) return false;
    source = &SkinMenu->BarCache;
    from = Offset(bounds, -static_cast<long long>(FrameLeft), -static_cast<long long>(FrameTop));
  }
  if (source->Empty()) return false;
  BitBlt(target.Canvas().Handle(), 0, 0, from.Width(), from.Height(), source->Canvas().Handle(), from.Left, from.Top,
         SRCCOPY);
  return true;
}

// The window's region: its client part and, where a border piece is
// transparent, that piece's opaque pixels. The window owns the region it is given.
void TWinSkinForm::BuildRegion() {
  RECT rect;
  if (!GetWindowRect(Handle, &rect)) return;
  TRegionInput in;
  in.Width = rect.right - rect.left;
  in.Height = rect.bottom - rect.top;
  in.Frame = FrameSizes();
  in.Trans[0] = FrameSkin.Left->Trans;
  in.Trans[1] = FrameSkin.Right->Trans;
  in.Trans[2] = FrameSkin.Top->Trans;
  in.Trans[3] = FrameSkin.Bottom->Trans;
  in.FrameKind = FrameKind;
  in.FormKind = FormKind;
  in.WindowState = WindowState;
  in.Life = LifeState;
  in.RegionWidth = RegionWidth;
  in.RegionHeight = RegionHeight;
  in.TitleCachePainted = !TitleCache.Empty() && TitleCache.Width() == in.Width && TitleCache.Height() == FrameTop;
  std::optional<TRegionPlan> plan = PlanFrameRegion(in);
  if (!plan) return;
  if (plan->RecordSize) RegionWidth = in.Width, RegionHeight = in.Height;

  const TSkinRect& base = plan->Base;
  TRegionHandle region(CreateRectRgn(base.Left, base.Top, base.Right, base.Bottom));
  if (!region) return;
  for (const TRegionPart& part : plan->Parts) {
    TRegionHandle piece = PartRegion(part);
    if (piece) CombineRgn(region.Get(), region.Get(), piece.Get(), RGN_OR);
  }
  // The window owns a region it took; one it refused is still ours to delete.
  if (!SetWindowRgn(Handle, region.Get(), TRUE)) return;
  Region = region.Detach();
  RegionOwned = true;
}

TRegionHandle TWinSkinForm::PartRegion(const TRegionPart& part) {
  const TSkinRect& area = part.Area;
  const TSkinPoint origin{area.Left, area.Top};
  switch (part.Source) {
    case rsRenderedPiece:
      return RegionFromBitmap(*RenderPiece(FrameSkin, part.Side, area.Width(), area.Height(), Active), origin);
    case rsTitleCache: {
      TBitmap band;
      return RegionFromBitmap(CopyPart(band, TitleCache, area), origin);
    }
    default:
      return TRegionHandle(CreateRectRgn(area.Left, area.Top, area.Right, area.Bottom));
  }
}
