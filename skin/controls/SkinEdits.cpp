#include "skin/controls/SkinEdits.h"

#include <commctrl.h>

#include "skin/controls/ComboBoxGeometry.h"
#include "skin/controls/ControlFrames.h"
#include "skin/controls/EditBorder.h"
#include "skin/controls/RectOps.h"
#include "skin/model/SkinDraw.h"

namespace {

RECT ToRect(const TSkinRect& rect) { return {rect.Left, rect.Top, rect.Right, rect.Bottom}; }

SIZE WindowSize(HWND wnd) {
  RECT rect;
  GetWindowRect(wnd, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

SIZE ClientSize(HWND wnd) {
  RECT rect;
  GetClientRect(wnd, &rect);
  return {rect.right, rect.bottom};
}

void Outline(HDC dc, const RECT& rect, COLORREF colour) {
  TBrushHandle brush(CreateSolidBrush(colour));
  FrameRect(dc, &rect, brush.Get());
}

}  // namespace

void TSkinEdit::AfterMessage(TMessage& message) {
  if (message.Msg == WM_PRINT) return PrintBorder(reinterpret_cast<HDC>(message.WParam));
  TSkinControl::AfterMessage(message);
}

void TSkinEdit::FindSpinButton() {
  for (HWND child = GetWindow(FWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, UPDOWN_CLASSW) != 0 && lstrcmpiW(name, L"TSpinButton") != 0) continue;
    FSpinButton = CompanionUpDown(Owner(), child, *FSkinData, FForm, FCanvas);
    FSpinButton->SetInset(true);
    FSpinButton->FreeNotification(this);
    return;
  }
}

// A spin button whose window went is freed by the form skinner; a new one is looked for.
void TSkinEdit::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation == opRemove && component == FSpinButton) FSpinButton = nullptr;
}

// The border the platform drew becomes a shadow-coloured line with a white one inside.
void TSkinEdit::Paint(HDC dc, const RECT& rect) {
  if (!FSpinButton) FindSpinButton();
  const SIZE window = WindowSize(FWindow), client = ClientSize(FWindow);
  if (!EditHasBorder(window.cx, window.cy, client.cx, client.cy)) return;
  Outline(dc, rect, ColorToRGB(FSkinData->Colours.ButtonShadow));
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  Outline(dc, inner, RGB(255, 255, 255));
}

void TSkinEdit::PrintBorder(HDC dc) {
  const SIZE window = WindowSize(FWindow), client = ClientSize(FWindow);
  if (!dc || !EditPrintHasBorder(window.cx, window.cy, client.cx, client.cy)) return;
  RECT outer{0, 0, window.cx, window.cy};
  RECT inner = outer;
  InflateRect(&inner, -1, -1);
  FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  Outline(dc, outer, ColorToRGB(FSkinData->Colours.ButtonShadow));
}

void TSkinComBox::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      Set(ssPressed, message.Msg != WM_LBUTTONUP);
      Repaint(nullptr);
      break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (!FEnabled) break;
      Set(ssHot, message.Msg == CM_MOUSEENTER);
      Repaint(nullptr);
      break;
    case WM_COMMAND:
      // The focus came to or left the edit field, which the combo box itself never has.
      if (HIWORD(message.WParam) == EN_SETFOCUS || HIWORD(message.WParam) == EN_KILLFOCUS) Repaint(nullptr);
      break;
    default:
      TSkinControl::AfterMessage(message);
  }
}

void TSkinComBox::Paint(HDC dc, const RECT& rect) {
  TDataSkinBorder* button = FSkinData->ComboButton.get();
  if (!button || button->Image.Empty()) return;
  const TControlSkin skin = Skin();
  ReadWindowState();
  // The focus is in the combo box's own edit field while one types.
  FFocused = FFocused || IsChild(FWindow, GetFocus());
  FStyle = DWORD(GetWindowLongPtrW(FWindow, GWL_STYLE));
  FExStyle = DWORD(GetWindowLongPtrW(FWindow, GWL_EXSTYLE));
  const int frame = ComboBoxFrame({Has(ssHot), Has(ssPressed), FFocused, FEnabled});
  TSaveDC saved(dc);
  if (button->Style == 1)
    PaintFlat(dc, rect, frame, skin);
  else
    PaintSunken(dc, rect, frame, skin);
}

void TSkinComBox::PaintSunken(HDC dc, const RECT& rect, int frame, const TControlSkin& skin) {
  TDataSkinObject* sunken = skin.SunkEdge;
  if (!sunken || sunken->Image.Empty()) return;
  TDataSkinBorder& button = *skin.ComboButton;
  const TComboBoxLayout layout =
      ComboBoxLayout(rect.right - rect.left, rect.bottom - rect.top, SystemMetricForDpi(SM_CXHSCROLL, skin.Scale.Dpi()),
                     (FExStyle & WS_EX_LEFTSCROLLBAR) != 0);
  ExcludeClipRect(dc, layout.EditArea.Left, layout.EditArea.Top, layout.EditArea.Right, layout.EditArea.Bottom);
  DrawElement(dc, rect, *sunken, sunken->FrameCount, frame);
  DrawFrameImage(dc, ToRect(layout.Button), layout.Mirrored ? button.SecondImage : button.Image, true,
                 button.FrameCount, frame);
  TDataSkinObject* arrow = skin.ExtraImages;
  if (!arrow || arrow->Image.Empty()) return;
  const TSkinRect cell = CentredIn(layout.ArrowArea, arrow->Image.Width() / arrow->FrameCount, arrow->Image.Height());
  DrawFrameImage(dc, ToRect(cell), arrow->Image, true, arrow->FrameCount, frame);
}

void TSkinComBox::PaintFlat(HDC dc, const RECT& rect, int frame, const TControlSkin& skin) {
  TDataSkinBorder& button = *skin.ComboButton;
  TCanvas& canvas = CanvasOn(dc);
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  FrameRect(canvas.Handle(), &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  const TSkinRect place = FlatComboButton(rect.right - rect.left, rect.bottom - rect.top,
                                           SystemMetricForDpi(SM_CYVTHUMB, skin.Scale.Dpi()));
  DrawFrameImage(canvas.Handle(), ToRect(place), button.Image, true, button.FrameCount, frame);
  Outline(canvas.Handle(), rect, ColorToRGB(FSkinData->Colours.ButtonShadow));
}

bool TSkinSizer::BeforeMessage(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND) return message.Result = 1, false;
  if (message.Msg == WM_PAINT) return PaintMessage(message), false;
  return TSkinControl::BeforeMessage(message);
}

void TSkinSizer::Paint(HDC dc, const RECT& rect) { Outline(dc, rect, ColorToRGB(FSkinData->Colours.ButtonShadow)); }
