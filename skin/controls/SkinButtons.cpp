#include "skin/controls/SkinButtons.h"

#include "skin/controls/ControlFrames.h"
#include "skin/model/SkinDraw.h"
#include "skin/model/SkinShared.h"
#include "toolkit/core/DisplayScale.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/StdCtrls.h"

namespace {

TButtonTextColours TextColours(const TSkinData& skin) {
  const TDataSkinButton& buttons = skin.Buttons;
  TButtonTextColours colours;
  colours.ButtonText = uint32_t(skin.Colours.ButtonText);
  colours.Normal = uint32_t(buttons.NormalColour2);
  colours.MouseOver = uint32_t(buttons.MouseOverColour2);
  colours.Pressed = uint32_t(buttons.PressedColour2);
  colours.Disabled = uint32_t(SystemColor(COLOR_BTNSHADOW));
  colours.HasNormal = buttons.HasNormalColour2;
  colours.HasMouseOver = buttons.HasMouseOverColour2;
  colours.HasPressed = buttons.HasPressedColour2;
  return colours;
}

COLORREF ToRGB(uint32_t colour) { return ColorToRGB(TColor(colour)); }

// The text's size in dc's font; 0 x 0 for no text.
SIZE CaptionSize(HDC dc, const std::wstring& text) {
  if (text.empty()) return {0, 0};
  RECT rect{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE);
  return {rect.right, rect.bottom};
}

UINT CaptionAlignment(TButtonLayout layout) {
  if (layout == blGlyphLeft) return DT_LEFT;
  if (layout == blGlyphRight) return DT_RIGHT;
  return DT_CENTER;
}

}  // namespace

void DrawButtonContent(HDC dc, const RECT& rect, const TButtonContent& content, bool enabled) {
  const bool glyph = content.Glyph && !content.Glyph->Empty();
  SIZE caption = CaptionSize(dc, content.Caption);
  TButtonLayoutInput in;
  in.Width = rect.right - rect.left;
  in.Height = rect.bottom - rect.top;
  if (glyph) {
    in.GlyphWidth = content.Glyph->Width() / content.NumGlyphs;
    in.GlyphHeight = content.Glyph->Height();
  }
  in.CaptionWidth = caption.cx;
  in.CaptionHeight = caption.cy;
  in.Layout = content.Layout;
  in.Margin = content.Margin;
  in.Spacing = content.Spacing;
  in.AutoMarginExtra = content.AutoMarginExtra;
  TButtonPlacement place = LayoutButton(in);
  if (glyph)
    DrawGlyphCell(dc, rect.left + place.GlyphX, rect.top + place.GlyphY, *content.Glyph, content.NumGlyphs,
                  content.GlyphCell);
  if (content.Caption.empty()) return;
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  int mode = SetBkMode(dc, TRANSPARENT);
  RECT text{rect.left + place.CaptionX, rect.top + place.CaptionY, rect.left + place.CaptionX + caption.cx,
            rect.top + place.CaptionY + caption.cy};
  DrawWideText(dc, content.Caption, text, CaptionAlignment(content.Layout) | DT_SINGLELINE);
  SetBkMode(dc, mode);
}

bool TSkinButton::BeforeMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT:
      PaintMessage(message);
      return false;
    case WM_ERASEBKGND:
      message.Result = 1;
      return false;
    // The previous handler never sees the press: the skinner clicks by itself.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!FFocused) SetFocus(FWindow);
      Set(ssPressed, true);
      Repaint(nullptr);
      return false;
    default:
      return TSkinControl::BeforeMessage(message);
  }
}

void TSkinButton::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (message.WParam != VK_SPACE) break;
      Set(ssPressed, message.Msg == WM_KEYDOWN);
      Refresh();
      break;
    case WM_MOUSEMOVE:
      MouseMoved();
      break;
    case WM_LBUTTONUP:
      if (!Has(ssPressed)) break;
      Set(ssPressed, false);
      Refresh();
      Click();
      break;
    case CM_MOUSEENTER:
      MouseEntered();
      break;
    case CM_MOUSELEAVE:
      MouseLeaving();
      break;
    default:
      TSkinControl::AfterMessage(message);
  }
}

// The button that has the mouse now takes the hot look from the one that had it.
void TSkinButton::MouseMoved() {
  if (Has(ssHot)) return;
  Set(ssHot, true);
  TSkinControlLink* current = FForm ? FForm->MouseControl() : nullptr;
  if (current && current != this) current->MouseLeft();
  if (current == this) return;
  Refresh();
  if (FForm) FForm->SetMouseControl(this);
}

void TSkinButton::MouseEntered() {
  if (!FEnabled) return;
  Set(ssHot, true);
  Refresh();
  if (FForm) FForm->SetMouseControl(this);
}

void TSkinButton::MouseLeaving() {
  if (!FEnabled) return;
  Set(ssHot, false);
  Set(ssPressed, false);
  Refresh();
  if (FForm && FForm->MouseControl() == this) FForm->SetMouseControl(nullptr);
}

// The toolkit control's click is the application's, as it is without the skin.
void TSkinButton::Click() {
  if (FControl) return ToolkitCall(WM_LBUTTONUP, [&] { FControl->Click(); });
  PostMessageW(GetParent(FWindow), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(FWindow), BN_CLICKED),
               reinterpret_cast<LPARAM>(FWindow));
}

HDC TSkinButton::PaintFace(TBitmap& buffer, const RECT& rect, int frameCount, int frame) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (buffer.Width() != width || buffer.Height() != height) buffer.SetSize(width, height);
  HDC dc = buffer.Canvas().Handle();
  RECT local{0, 0, width, height};
  FillBackground(dc, local);
  DrawElement(dc, local, *Skin().Buttons, frameCount, frame);
  return dc;
}

void TSkinButton::Paint(HDC dc, const RECT& rect) {
  if (FSkinData->Buttons.Image.Empty()) return;
  ReadWindowState();
  if (FCaption.empty() && FControl) FCaption = FControl->Text();
  const int frame = ButtonFrame({Has(ssHot), Has(ssPressed), FFocused, FEnabled});
  // The element's frame count is always 5; the fifth frame is never shown.
  HDC buffer = PaintFace(FBuffer, rect, 5, frame);
  if (buffer == nullptr) return;
  auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(FWindow, WM_GETFONT, 0, 0));
  TSelectObject selected(buffer, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(buffer, ToRGB(ButtonCaptionColour(TextColours(*FSkinData), frame)));
  DrawCaption(buffer, FCaption, {0, 0, rect.right - rect.left, rect.bottom - rect.top}, DT_CENTER, FEnabled);
  BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, buffer, 0, 0, SRCCOPY);
}

void TSkinBitButton::Paint(HDC dc, const RECT& rect) {
  auto* button = dynamic_cast<TBitBtn*>(FControl);
  TDataSkinButton& element = FSkinData->Buttons;
  if (!button || element.Image.Empty()) return;
  ReadWindowState();
  const int frame = ButtonFrame({Has(ssHot), Has(ssPressed), FFocused, FEnabled});
  HDC buffer = PaintFace(FBuffer, rect, element.FrameCount, frame);
  TSelectObject selected(buffer, button->Font().Handle());
  SetTextColor(buffer, ToRGB(BitButtonCaptionColour(TextColours(*FSkinData), frame, uint32_t(button->Font().Color()))));
  const TDpiScale scale(DrawDpi());
  TButtonContent content{&FGlyph.At(button->Glyph(), button->NumGlyphs(), scale.Dpi(), true), button->NumGlyphs(),
                         BitButtonGlyphCell(frame, button->NumGlyphs()), button->Layout(),
                         button->Margin() < 0 ? button->Margin() : scale.Scale(button->Margin()),
                         scale.Scale(button->Spacing()), 0, FCaption};
  const RECT local{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  DrawButtonContent(buffer, local, content, FEnabled);
  BitBlt(dc, rect.left, rect.top, local.right, local.bottom, buffer, 0, 0, SRCCOPY);
}

void TSkinSpeedButton::AttachGraphic(TSkinFormLink* form, TSkinData& skinData, TCanvas* canvas) {
  auto* button = dynamic_cast<TControl*>(Owner());
  if (FAttached || !button) return;
  FSkinData = &skinData;
  FCanvas = canvas;
  FForm = form;
  FGraphicControl = button;
  HookWindowProc(*button);
  RegisterWithForm();
  FAttached = true;
  FLifeState = kSkinAttached;
}

void TSkinSpeedButton::GiveWindowProcBack() {
  if (FGraphicControl && FSavedWindowProc) FGraphicControl->SetWindowProc(std::exchange(FSavedWindowProc, {}));
}

bool TSkinSpeedButton::BeforeMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: {
      RECT client = FGraphicControl->ClientRect();
      SkinBoundary(L"speed button painting", [&] { Paint(reinterpret_cast<HDC>(message.WParam), client); });
      message.Result = 1;
      return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!CallPrevious(message)) return false;
      Set(ssPressed, true);
      Repaint(nullptr);
      return false;
    default:
      return TSkinControl::BeforeMessage(message);
  }
}

void TSkinSpeedButton::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_NCDESTROY:
    case CM_RELEASE:
      GiveWindowProcBack();
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (message.WParam != VK_SPACE) break;
      Set(ssPressed, message.Msg == WM_KEYDOWN);
      Repaint(nullptr);
      break;
    case WM_LBUTTONUP:
      Set(ssPressed, false);
      Repaint(nullptr);
      break;
    case CM_MOUSEENTER:
      Set(ssHot, true);
      Repaint(nullptr);
      break;
    case CM_MOUSELEAVE:
      Set(ssHot, false);
      Set(ssPressed, false);
      if (FGraphicControl->Visible()) Repaint(nullptr);
      break;
    default:
      TSkinControl::AfterMessage(message);
  }
}

void TSkinSpeedButton::Repaint(HDC) {
  TWinControl* parent = FGraphicControl ? FGraphicControl->Parent() : nullptr;
  if (!parent || !parent->HandleAllocated() || !FGraphicControl->Visible()) return;
  TWindowDC dc(parent->Handle());
  if (!dc.Get()) return;
  TSaveDC saved(dc.Get());
  const RECT& bounds = FGraphicControl->BoundsRect();
  OffsetViewportOrgEx(dc.Get(), bounds.left, bounds.top, nullptr);
  IntersectClipRect(dc.Get(), 0, 0, FGraphicControl->Width(), FGraphicControl->Height());
  SkinBoundary(L"speed button painting", [&] { Paint(dc.Get(), FGraphicControl->ClientRect()); });
}

// Through the engine's scratch bitmap, or a bitmap of its own while the engine is stopped.
void TSkinSpeedButton::Paint(HDC dc, const RECT& rect) {
  auto* button = dynamic_cast<TSpeedButton*>(FGraphicControl);
  TDataSkinButton& element = FSkinData->Buttons;
  if (!button || element.Image.Empty()) return;
  FEnabled = button->Enabled();
  const bool pressed = Has(ssPressed) || button->Down();
  const int frame = ButtonFrame({Has(ssHot), pressed, false, FEnabled});
  TSkinShared* shared = SkinShared();
  HDC scratch = PaintFace(shared ? shared->Scratch : FBuffer, rect, element.FrameCount, frame);
  TSelectObject selected(scratch, button->Font().Handle());
  SetTextColor(scratch, ToRGB(BitButtonCaptionColour(TextColours(*FSkinData), frame, uint32_t(button->Font().Color()))));
  const RECT local{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  TButtonGlyph& glyph = button->Glyph();
  if (glyph.Glyph().Empty()) {
    DrawCaption(scratch, button->Text(), local, DT_CENTER, FEnabled);
  } else {
    const TDpiScale scale(DrawDpi());
    TButtonContent content{&FGlyph.At(glyph.Glyph(), glyph.NumGlyphs(), scale.Dpi(), true), glyph.NumGlyphs(),
                           SpeedButtonGlyphCell(frame, glyph.NumGlyphs()), glyph.Layout(),
                           glyph.Margin() < 0 ? glyph.Margin() : scale.Scale(glyph.Margin()),
                           scale.Scale(glyph.Spacing()), 1, button->Text()};
    DrawButtonContent(scratch, local, content, FEnabled);
  }
  BitBlt(dc, rect.left, rect.top, local.right, local.bottom, scratch, 0, 0, SRCCOPY);
}
