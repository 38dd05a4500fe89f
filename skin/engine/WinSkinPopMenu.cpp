#include "skin/engine/WinSkinPopMenu.h"

#include "skin/engine/MenuItemPainter.h"
#include "skin/engine/PopupMenuFrame.h"
#include "skin/engine/SkinBoundary.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/model/SkinData.h"
#include "skin/model/SkinDraw.h"

namespace {

bool WindowSize(HWND wnd, int& width, int& height) {
  RECT rect;
  if (!GetWindowRect(wnd, &rect)) return false;
  width = rect.right - rect.left;
  height = rect.bottom - rect.top;
  return true;
}

}  // namespace

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND window, TSkinData& data, HMENU menu) {
  Window = window;
  SkinData = &data;
  MenuHandle = menu;
  FThunk.Install(window, TWndMethod::Of<&TWinSkinPopMenu::WndProc>(*this));
}

void TWinSkinPopMenu::Detach() {
  if (!FThunk.Installed()) return;
  FThunk.Remove();
  Background.Clear();
}

void TWinSkinPopMenu::WndProc(TMessage& message) {
  SkinMessageBoundary(L"popup menu skinner", message, TPassOn::Procedure(FThunk.PreviousProc(), FThunk.Window()),
                      [&] { HandleMessage(message); });
}

void TWinSkinPopMenu::HandleMessage(TMessage& message) {
  if (message.Msg == SKM_QUERYSKINNED) {
    message.Result = 1;
    return;
  }
  TSkinManage* manager = SkinManager();
  if (!manager || !manager->Enabled) return Default(message);
  switch (message.Msg) {
    case WM_DESTROY:
      Detach();
      return Default(message);
    case WM_NCPAINT:
      if (PaintsPopupFrame(IsNtPlatform, WindowsVersion)) return WMNcPaint(message);
      return;
    case WM_PRINT:
      return WMPrint(message);
    case WM_PAINT:
      return WMPaint(message);
    default:
      return Default(message);
  }
}

void TWinSkinPopMenu::Default(TMessage& message) {
  TPassOn::Procedure(FThunk.PreviousProc(), FThunk.Window())(message);
}

// The background of the whole menu window, which the items copy their part of.
bool TWinSkinPopMenu::RenderBackground() {
  TDataSkinObject* element = SkinData->SkinNotReady ? nullptr : SkinData->ControlSkinAt(MenuDpi()).MenuBackground;
  int width = 0, height = 0;
  if (!element || element->Image.Empty() || !WindowSize(Window, width, height)) return false;
  const TMargins margins{element->LeftWidth, element->TopHeight, element->RightWidth, element->BottomHeight};
  auto rendered = RenderElement({0, 0, width, height}, element->Image, margins, false, element->Tile != 0, 1, 1);
  Background.Assign(*rendered);
  if (!MenuHandle) LastUnclaimedPopup = this;
  return true;
}

void TWinSkinPopMenu::PaintFrameRing() {
  TWindowDC dc = TWindowDC::WholeWindow(Window);
  HDC source = Background.Canvas().Handle();
  for (const TSkinRect& strip : PopupFrameStrips(Background.Width(), Background.Height()))
    BitBlt(dc.Get(), strip.Left, strip.Top, strip.Width(), strip.Height(), source, strip.Left, strip.Top, SRCCOPY);
}

// The platform's frame is never drawn.
void TWinSkinPopMenu::WMNcPaint(TMessage& message) {
  if (!RenderBackground()) return Default(message);
  PaintFrameRing();
  message.Result = 0;
}

// Where the platform draws the menu's edge inside its client area, the ring
// goes over it once the menu has painted.
void TWinSkinPopMenu::WMPaint(TMessage& message) {
  Default(message);
  if (RenderBackground()) PaintFrameRing();
}

// The menu prints itself (menu animation): the background first, then the
// items inside the ring.
void TWinSkinPopMenu::WMPrint(TMessage& message) {
  int width = 0, height = 0;
  if (!WindowSize(Window, width, height) || !RenderBackground()) return Default(message);
  const TSkinRect inner = PopupItemArea(width, height);
  TRegionHandle clip(CreateRectRgn(inner.Left, inner.Top, inner.Right, inner.Bottom));
  auto dc = reinterpret_cast<HDC>(message.WParam);
  BitBlt(dc, 0, 0, width, height, Background.Canvas().Handle(), 0, 0, SRCCOPY);
  const int mode = SetBkMode(dc, TRANSPARENT);
  SelectClipRgn(dc, clip.Get());
  Default(message);
  SelectClipRgn(dc, nullptr);
  SetBkMode(dc, mode);
}
