#include "skin/controls/SkinScrollbar.h"

#include <commctrl.h>
#include <windowsx.h>

#include "skin/controls/TextPlacement.h"
#include "skin/model/SkinDraw.h"
#include "toolkit/forms/RangeControls.h"

namespace {

constexpr int kHeaderTextLimit = 200;

RECT ToRect(const TSkinRect& rect) { return {rect.Left, rect.Top, rect.Right, rect.Bottom}; }

TScrollValues ValuesOf(const SCROLLINFO& info) {
  return {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
}

int MinimumThumb(int dpi) {
  // The old non-NT family reports a platform id other than NT's.
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool nonNt = GetVersionExW(&version) && version.dwPlatformId != VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
  return MinimumThumbLength(GetSystemMetrics(SM_CXHSCROLL), nonNt, TDpiScale(dpi));
}

}  // namespace

std::optional<int> PaintSkinScrollBar(HDC dc, const TSkinRect& rect, bool vertical, const TThumbGeometry& thumb,
                                      TScrollPart pressed, const TSkinColours& colours, const TControlSkin& skin) {
  const int t = GetSystemMetrics(SM_CXHSCROLL);
  const std::optional<TBarLayout> layout = LayoutBar(rect, vertical, t, thumb, pressed, skin.Scale);
  if (!layout) return std::nullopt;
  TBitmap bar;
  bar.SetSize(layout->Bitmap.Width(), layout->Bitmap.Height());
  HDC target = bar.Canvas().Handle();
  {
    RECT whole = ToRect(layout->Bitmap);
    TBrushHandle track(CreateSolidBrush(ColorToRGB(colours.Scrollbar)));
    FillRect(target, &whole, track.Get());
  }
  TDataSkinObject* trackElement = vertical ? skin.VertScroll : skin.HorzScroll;
  if (trackElement && !layout->Track.IsEmpty()) {
    TMargins margins{trackElement->LeftWidth, trackElement->TopHeight, trackElement->RightWidth,
                     trackElement->BottomHeight};
    auto picture = RenderElement(ToRect(layout->Track), trackElement->Image, margins, false, trackElement->Tile != 0,
                                 kScrollTrackFrames, 1);
    if (trackElement->Trans == 1)
      DrawTransparent(target, ToRect(layout->Track), *picture, kSkinTransparent);
    else if (!picture->Empty())
      BitBlt(target, layout->Track.Left, layout->Track.Top, picture->Width(), picture->Height(),
             picture->Canvas().Handle(), 0, 0, SRCCOPY);
  }
  TBitmap& strip = skin.Scrollbar->Image;
  DrawFrameImage(target, ToRect(layout->FirstArrow), strip, true, kScrollStripCells, layout->FirstArrowCell);
  DrawFrameImage(target, ToRect(layout->SecondArrow), strip, true, kScrollStripCells, layout->SecondArrowCell);
  TDataSkinObject* thumbElement = vertical ? skin.VertScrollThumb : skin.HorzScrollThumb;
  if (thumbElement && !layout->Thumb.IsEmpty()) {
    TMargins margins{thumbElement->LeftWidth, thumbElement->TopHeight, thumbElement->RightWidth,
                     thumbElement->BottomHeight};
    auto picture = RenderElement(ToRect(layout->Thumb), thumbElement->Image, margins, false, thumbElement->Tile != 0,
                                 thumbElement->FrameCount, layout->ThumbFrame);
    if (thumbElement->Trans == 1)
      DrawTransparent(target, ToRect(layout->Thumb), *picture, kSkinTransparent);
    else if (!picture->Empty())
      BitBlt(target, layout->Thumb.Left, layout->Thumb.Top, picture->Width(), picture->Height(),
             picture->Canvas().Handle(), 0, 0, SRCCOPY);
  }
  TStretchMode mode(dc, COLORONCOLOR);
  StretchBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), target, 0, 0, bar.Width(), bar.Height(), SRCCOPY);
  return layout->ArrowLength;
}

void TSkinScrollbar::AttachScrolled(TWinControl& control, TSkinData& skinData, int ownThumbTracking,
                                    TSkinFormLink* form, TCanvas* canvas) {
  if (FAttached) return;
  FSkinData = &skinData;
  FForm = form;
  FCanvas = canvas;
  FControl = &control;
  FWindow = control.Handle();
  HookWindowProc(control);
  RegisterWithForm();
  FOwnThumbTracking = ownThumbTracking == 1;
  StartScrolled();
}

void TSkinScrollbar::AttachWindow(HWND wnd, TSkinData& skinData, TSkinFormLink* form, TCanvas* canvas) {
  TSkinControl::AttachWindow(wnd, skinData, form, canvas);
  FOwnThumbTracking = false;
  StartScrolled();
}

// The frame is computed again, so the bars are painted at once.
void TSkinScrollbar::StartScrolled() {
  FDragging = FInVScroll = FInHScroll = false;
  FPressedPart = spNone;
  FHorz.Info.cbSize = FVert.Info.cbSize = sizeof(SCROLLINFO);
  ReadWindowState();
  FAttached = true;
  FLifeState = kSkinAttached;
  SetWindowPos(FWindow, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool TSkinScrollbar::BeforeMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_NCCALCSIZE:
      CallPrevious(message);
      return false;
    case WM_NCMOUSEMOVE:
      return message.WParam != HTHSCROLL && message.WParam != HTVSCROLL;
    case WM_NCLBUTTONDOWN:
      return !(FOwnThumbTracking && PressThumb(message));
    case WM_HSCROLL:
    case WM_VSCROLL:
      Scrolled(message, message.Msg == WM_VSCROLL);
      return false;
    default:
      return TSkinControl::BeforeMessage(message);
  }
}

// While the control handles its own scroll message, its bar counts as there
// and is not painted; afterwards it is, with the arrow or thumb pressed.
void TSkinScrollbar::Scrolled(TMessage& message, bool vertical) {
  FPressedPart = PressedPartFor(vertical, LOWORD(message.WParam));
  bool& inScroll = vertical ? FInVScroll : FInHScroll;
  inScroll = true;
  if (!CallPrevious(message)) return;
  inScroll = false;
  Repaint(nullptr);
}

// The bars are painted again over the platform's: after a frame paint, which
// a paint of the client itself may bring about (so nothing here may paint
// the client then, or its erasing, still to come, wipes it), and after a
// style change, when a control sets its bars up again (a list view switched
// to its details) and the platform draws them there and then.
void TSkinScrollbar::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE:
    case WM_PRINT:
      return Refresh();
    case WM_NCPAINT:
    case WM_STYLECHANGED:
      return Repaint(nullptr);
    default:
      return TSkinControl::AfterMessage(message);
  }
}

void TSkinScrollbar::Paint(HDC dc, const RECT& rect) {
  if (!FSkinData->Scrollbar || FSkinData->Scrollbar->Image.Empty()) return;
  FStyle = DWORD(GetWindowLongPtrW(FWindow, GWL_STYLE));
  FExStyle = DWORD(GetWindowLongPtrW(FWindow, GWL_EXSTYLE));
  const bool horizontal = (FStyle & WS_HSCROLL) || FInHScroll, vertical = (FStyle & WS_VSCROLL) || FInVScroll;
  constexpr int kFarOrigin = 10000;
  if ((!horizontal && !vertical) || rect.left > kFarOrigin || rect.top > kFarOrigin) return;
  RECT client;
  GetClientRect(FWindow, &client);
  TScrollFrameInput in;
  in.WindowWidth = rect.right - rect.left;
  in.WindowHeight = rect.bottom - rect.top;
  in.ClientWidth = client.right;
  in.ClientHeight = client.bottom;
  in.EdgeWidth = GetSystemMetrics(SM_CXEDGE);
  in.BarThickness = GetSystemMetrics(SM_CXHSCROLL);
  in.Horizontal = horizontal;
  in.Vertical = vertical;
  in.LeftScrollBar = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
  const TScrollFrameRects bars = ScrollFrameRects(in);
  FCornerRect = bars.Corner;
  if (horizontal && vertical) FillBackground(dc, ToRect(FCornerRect));
  if (horizontal && !FInHScroll) PaintBar(dc, bars.Horizontal, false);
  if (vertical && !FInVScroll) PaintBar(dc, bars.Vertical, true);
}

void TSkinScrollbar::PaintBar(HDC dc, const TSkinRect& rect, bool vertical) {
  TBar& bar = vertical ? FVert : FHorz;
  if (!FDragging) {
    bar.Info.cbSize = sizeof(SCROLLINFO);
    bar.Info.fMask = SIF_ALL;
    GetScrollInfo(FWindow, vertical ? SB_VERT : SB_HORZ, &bar.Info);
    const int length = vertical ? rect.Height() : rect.Width();
    const int t = GetSystemMetrics(SM_CXHSCROLL);
    if (auto thumb = ScrollThumb(length, t, ValuesOf(bar.Info), MinimumThumb(DrawDpi()),
                                  GetSystemMetrics(SM_CXHTHUMB)))
      bar.Thumb = *thumb;
  }
  const TScrollPart pressed = TScrollPart(FPressedPart);
  if (auto arrow = PaintSkinScrollBar(dc, rect, vertical, bar.Thumb, pressed, FSkinData->Colours, Skin()))
    bar.ArrowLength = *arrow;
}

bool TSkinScrollbar::PressThumb(TMessage& message) {
  if (message.WParam != HTHSCROLL && message.WParam != HTVSCROLL) return false;
  const bool vertical = message.WParam == HTVSCROLL;
  FPressedPart = vertical ? spVertThumb : spHorzThumb;
  const POINT press{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  POINT point = press;
  ScreenToClient(FWindow, &point);
  const TBar& bar = vertical ? FVert : FHorz;
  if (ScrollHitAt(vertical ? point.y : point.x, bar.ArrowLength, bar.Thumb) != shThumb) return false;
  Repaint(nullptr);
  DragThumb(vertical, press);
  return true;
}

// The skinner's own modal loop: the thumb follows the mouse from where it
// was pressed (each move's own screen point), the control hears
// SB_THUMBTRACK for every new position, SB_THUMBPOSITION and SB_ENDSCROLL
// when the button goes up. The mouse is captured, so a release anywhere
// ends the drag, and so does losing the capture. Each message goes through
// the message filter hooks first. Whatever the loop dispatches or sends may
// free the skinner or destroy the window (a skin switch on a timer, a
// close): after each, the loop goes on only while both live, and the
// capture is let go through the window handle it keeps.
void TSkinScrollbar::DragThumb(bool vertical, POINT start) {
  TAliveGuard alive(FLiveness);
  const HWND wnd = FWindow;
  TBar& bar = vertical ? FVert : FHorz;
  const UINT scroll = vertical ? WM_VSCROLL : WM_HSCROLL;
  const int barKind = vertical ? SB_VERT : SB_HORZ;
  const TScrollValues values = ValuesOf(bar.Info);
  const int startOffset = bar.Thumb.ThumbOffset;
  int position = bar.Info.nPos;
  auto live = [&] { return alive && IsWindow(wnd); };
  FDragging = true;
  SetCapture(wnd);
  while (live() && FDragging) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (GetCapture() != wnd) break;
      WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    if (CallMsgFilterW(&msg, MSGF_SCROLLBAR)) continue;
    if (msg.message == WM_NCMOUSEMOVE || msg.message == WM_MOUSEMOVE) {
      DispatchMessageW(&msg);
      if (!live()) break;
      const int movement = vertical ? msg.pt.y - start.y : msg.pt.x - start.x;
      const TThumbDrag drag = ::DragThumb(startOffset, movement, bar.Thumb, values);
      if (drag.Position == position) continue;
      position = drag.Position;
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_POS;
      info.nPos = info.nTrackPos = position;
      bar.Thumb.ThumbOffset = drag.Offset;
      SetScrollInfo(wnd, barKind, &info, FALSE);
      SendMessageW(wnd, scroll, MAKEWPARAM(SB_THUMBTRACK, position), 0);
    } else if (msg.message == WM_NCLBUTTONUP || msg.message == WM_LBUTTONUP) {
      FDragging = false;
      SendMessageW(wnd, scroll, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
      PostMessageW(wnd, scroll, SB_ENDSCROLL, 0);
    } else {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (alive) FDragging = false;
  if (GetCapture() == wnd) ReleaseCapture();
}

void TSkinListView::AttachScrolled(TWinControl& control, TSkinData& skinData, int ownThumbTracking,
                                   TSkinFormLink* form, TCanvas* canvas) {
  if (Attached()) return;
  TSkinScrollbar::AttachScrolled(control, skinData, ownThumbTracking, form, canvas);
  AttachHeader();
}

void TSkinListView::AttachWindow(HWND wnd, TSkinData& skinData, TSkinFormLink* form, TCanvas* canvas) {
  TSkinScrollbar::AttachWindow(wnd, skinData, form, canvas);
  AttachHeader();
}

void TSkinListView::AttachHeader() {
  if (FHeader) return;
  auto header = reinterpret_cast<HWND>(SendMessageW(FWindow, LVM_GETHEADER, 0, 0));
  if (!header || TSkinControl::ForWindow(header)) return;
  FHeader = new TSkinHeader(Owner());
  FHeader->AttachWindow(header, *FSkinData, FForm, FCanvas);
  FHeader->FreeNotification(this);
}

void TSkinListView::Notification(TComponent* component, TOperation operation) {
  TSkinScrollbar::Notification(component, operation);
  if (operation == opRemove && component == FHeader) FHeader = nullptr;
}

void TSkinListView::Paint(HDC dc, const RECT& rect) {
  AttachHeader();
  TSkinScrollbar::Paint(dc, rect);
}

bool TSkinHeader::BeforeMessage(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND && FSkinData->Headerbar && !FSkinData->Headerbar->Image.Empty())
    return message.Result = 1, false;
  return TSkinControl::BeforeMessage(message);
}

void TSkinHeader::Paint(HDC dc, const RECT& rect) {
  TDataSkinObject* bar = Skin().Headerbar;
  if (!bar || bar->Image.Empty()) return;
  ReadWindowState();
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  TBitmap buffer;
  buffer.SetSize(width, height);
  HDC target = buffer.Canvas().Handle();
  auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(FWindow, WM_GETFONT, 0, 0));
  TSelectObject selected(target, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(target, TRANSPARENT);
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FWindow, HDM_GETIMAGELIST, 0, 0));
  const int count = int(SendMessageW(FWindow, HDM_GETITEMCOUNT, 0, 0));
  int end = 0;
  for (int i = 0; i < count; ++i) {
    RECT item{};
    SendMessageW(FWindow, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    wchar_t text[kHeaderTextLimit + 1] = {};
    HDITEMW info{};
    info.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    info.pszText = text;
    info.cchTextMax = kHeaderTextLimit;
    SendMessageW(FWindow, HDM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&info));
    DrawElement(target, item, *bar, bar->FrameCount, 1);
    end = std::max(end, int(item.right));
    if (!info.pszText || !*info.pszText) continue;
    const auto format = static_cast<uint32_t>(info.fmt);
    SetTextColour(target, bar->NormalColour2);
    DrawIconAndText(target, item, info.pszText, HeaderItemShowsIcon(format) ? images : nullptr, info.iImage,
                    HeaderItemAlign(format), FEnabled);
  }
  if (end < width) DrawElement(target, {end, 0, width, height}, *bar, bar->FrameCount, 1);
  BitBlt(dc, rect.left, rect.top, width, height, target, 0, 0, SRCCOPY);
}

bool TSkinScControl::BeforeMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_NCMOUSEMOVE:
      return message.WParam != HTHSCROLL && message.WParam != HTVSCROLL;
    // A dialog's bar is moved by its dialog: it is painted again after every change.
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case WM_LBUTTONDOWN:
      if (CallPrevious(message)) Repaint(nullptr);
      return false;
    case CN_HSCROLL:
    case CN_VSCROLL:
      FPressedPart = PressedPartFor(message.Msg == CN_VSCROLL, LOWORD(message.WParam));
      if (CallPrevious(message)) Repaint(nullptr);
      return false;
    default:
      return TSkinControl::BeforeMessage(message);
  }
}

void TSkinScControl::Paint(HDC dc, const RECT& rect) {
  if (!FSkinData->Scrollbar || FSkinData->Scrollbar->Image.Empty()) return;
  TScrollValues values;
  bool vertical;
  if (auto* bar = dynamic_cast<TScrollBar*>(FControl)) {
    values = {bar->Min(), bar->Max(), bar->PageSize(), bar->Position()};
    vertical = bar->Kind() == sbVertical;
  } else {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(FWindow, SB_CTL, &info);
    // The control's info holds its range as it counts it: the last position is Max - Page + 1.
    values = {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
    vertical = (GetWindowLongPtrW(FWindow, GWL_STYLE) & SBS_VERT) != 0;
  }
  const TSkinRect whole{rect.left, rect.top, rect.right, rect.bottom};
  const int length = vertical ? whole.Height() : whole.Width();
  const int t = GetSystemMetrics(SM_CXHSCROLL);
  if (auto thumb = ScrollControlThumb(length, t, values, MinimumThumb(DrawDpi()), GetSystemMetrics(SM_CXHTHUMB)))
    FThumb = *thumb;
  PaintSkinScrollBar(dc, whole, vertical, FThumb, TScrollPart(FPressedPart), FSkinData->Colours, Skin());
}
