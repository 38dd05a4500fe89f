#include "skin/controls/SkinControl.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "skin/controls/TextPlacement.h"
#include "skin/model/SkinDraw.h"
#include "skin/model/SkinShared.h"

namespace {

// Every skinner that exists, for the question whether a control has one.
std::vector<TSkinControl*>& LiveSkinners() {
  static auto& skinners = *new std::vector<TSkinControl*>;
  return skinners;
}

}  // namespace

std::wstring WindowText(HWND wnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

TSkinFormLink::~TSkinFormLink() = default;

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) { LiveSkinners().push_back(this); }

TSkinControl* TSkinControl::ForComponent(const TComponent* component) {
  for (TSkinControl* skinner : LiveSkinners())
    if (skinner->FAttached && skinner->FLifeState != kSkinWindowGone && skinner->Control() == component)
      return skinner;
  return nullptr;
}

TSkinControl* TSkinControl::ForWindow(HWND wnd) {
  for (TSkinControl* skinner : LiveSkinners())
    if (skinner->FAttached && skinner->FLifeState != kSkinWindowGone && skinner->FWindow == wnd) return skinner;
  return nullptr;
}

void TSkinControl::FreeWindowGone(const TComponent* control) {
  std::vector<TSkinControl*> gone;
  for (TSkinControl* skinner : LiveSkinners())
    if (skinner->FLifeState == kSkinWindowGone && skinner->Control() == control) gone.push_back(skinner);
  for (TSkinControl* skinner : gone) skinner->Free();
}

void TSkinControl::HookWindowProc(TControl& control) {
  FSavedWindowProc = control.WindowProc();
  control.SetWindowProc(TWndMethod::Of<&TSkinControl::Dispatch>(*this));
}

void TSkinControl::RegisterWithForm() {
  if (FForm) FForm->RegisterControl(this);
}

void TSkinControl::AttachControl(TSkinFormLink* form, TSkinData& skinData, bool useSkinColour, TCanvas* canvas) {
  auto* control = dynamic_cast<TWinControl*>(Owner());
  if (FAttached || !control) return;
  FUseSkinColour = useSkinColour;
  FSkinData = &skinData;
  FForm = form;
  FCanvas = canvas;
  FControl = control;
  FWindow = control->Handle();
  HookWindowProc(*control);
  control->SetDoubleBuffered(true);
  RegisterWithForm();
  ReadWindowState();
  if (FUseSkinColour) {
    FSavedColour = control->Color();
    control->SetColor(skinData.Colours.ButtonFace);
  }
  control->Invalidate();
  FAttached = true;
  FLifeState = kSkinAttached;
}

void TSkinControl::AttachWindow(HWND wnd, TSkinData& skinData, TSkinFormLink* form, TCanvas* canvas) {
  FSkinData = &skinData;
  FCanvas = canvas;
  FForm = form;
  FWindow = wnd;
  FEnabled = true;
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  FOwnersWindow = owner && owner->HandleAllocated() && owner->Handle() == wnd;
  RegisterWithForm();
  FCaption = WindowText(wnd);
  FThunk.Install(wnd, TWndMethod::Of<&TSkinControl::Dispatch>(*this));
  FAttached = true;
  FLifeState = kSkinAttached;
}

// The control gets back what the skinner took, provided the skinner's
// handler is still the one in place; the form skinner forgets it.
void TSkinControl::Destroying() {
  TControl* hooked = Control();
  if (hooked && FSavedWindowProc && hooked->WindowProc() == TWndMethod::Of<&TSkinControl::Dispatch>(*this))
    hooked->SetWindowProc(FSavedWindowProc);
  FThunk.Remove();
  if (FForm) {
    if (FForm->MouseControl() == this) FForm->SetMouseControl(nullptr);
    FForm->UnregisterControl(this);
  }
  auto& live = LiveSkinners();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  TComponent::Destroying();
}

TComponent* TSkinControl::SkinnedComponent() const {
  if (TControl* control = Control()) return control;
  return FOwnersWindow ? Owner() : nullptr;
}

// Once its window is gone the skinner only passes messages on: a toolkit
// control that made a new window gets a new skinner from the form skinner.
void TSkinControl::Dispatch(TMessage& message) {
  SkinMessageBoundary(L"control skinner", message, Previous(), [&] {
    if (FLifeState == kSkinWindowGone) return void(CallPrevious(message));
    if (BeforeMessage(message) && CallPrevious(message)) AfterMessage(message);
  });
}

TPassOn TSkinControl::Previous() const {
  return FSavedWindowProc ? TPassOn::Toolkit(FSavedWindowProc)
                          : TPassOn::Procedure(FThunk.PreviousProc(), FThunk.Window());
}

bool TSkinControl::CallPrevious(TMessage& message) {
  TAliveGuard alive(FLiveness);
  Previous()(message);
  return static_cast<bool>(alive);
}

bool TSkinControl::BeforeMessage(TMessage& message) {
  if (message.Msg != WM_NCDESTROY) return true;
  if (!CallPrevious(message)) return false;
  FLifeState = kSkinWindowGone;
  RestoreColour();
  if (FForm) FForm->ControlWindowGone(this);
  return false;
}

void TSkinControl::AfterMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
      Refresh();
      break;
    case WM_SETTEXT:
      FCaption = message.LParam ? reinterpret_cast<const wchar_t*>(message.LParam) : L"";
      Refresh();
      break;
    case WM_PAINT:
      PaintAfterControl(reinterpret_cast<HDC>(message.WParam));
      break;
    default:
      break;
  }
}

// A context that comes with the message covers the client area only, so it
// serves skinners of windows without a frame; a double-buffered control has
// been painted over in its buffer then, and the message without a context
// that brought the buffer needs nothing more.
void TSkinControl::PaintAfterControl(HDC dc) {
  RECT window, client;
  if (!FWindow || !GetWindowRect(FWindow, &window) || !GetClientRect(FWindow, &client)) return;
  const bool frameless = window.right - window.left == client.right && window.bottom - window.top == client.bottom;
  auto* windowed = dynamic_cast<TWinControl*>(FControl);
  if (dc) {
    if (frameless) Repaint(dc);
  } else if (!frameless || !windowed || !windowed->DoubleBuffered()) {
    Repaint(nullptr);
  }
}

void TSkinControl::Refresh() {
  RECT rect;
  if (!FWindow || !GetWindowRect(FWindow, &rect) || !GetParent(FWindow)) return;
  OffsetRect(&rect, -rect.left, -rect.top);
  InvalidateRect(FWindow, &rect, FALSE);
  UpdateWindow(FWindow);
}

void TSkinControl::Repaint(HDC dc) {
  RECT rect;
  if (!FWindow || !GetWindowRect(FWindow, &rect)) return;
  FWindowRect = rect;
  OffsetRect(&rect, -rect.left, -rect.top);
  // What could not be painted keeps its former look.
  SkinBoundary(L"control painting", [&] {
    if (dc) return Paint(dc, rect);
    TWindowDC whole = TWindowDC::WholeWindow(FWindow);
    if (whole.Get()) Paint(whole.Get(), rect);
  });
}

void TSkinControl::PaintMessage(TMessage& message) {
  auto dc = reinterpret_cast<HDC>(message.WParam);
  std::optional<TPaintDC> paint;
  if (!dc) dc = paint.emplace(FWindow).Get();
  RECT rect;
  if (!GetWindowRect(FWindow, &rect)) return;
  FWindowRect = rect;
  OffsetRect(&rect, -rect.left, -rect.top);
  SkinBoundary(L"control painting", [&] { Paint(dc, rect); });
}

void TSkinControl::ReadWindowState() {
  FFocused = FWindow && GetFocus() == FWindow;
  FEnabled = !(GetWindowLongPtrW(FWindow, GWL_STYLE) & WS_DISABLED);
  FCaption = WindowText(FWindow);
}

void TSkinControl::Set(TSkinStateFlag flag, bool on) {
  FStateFlags = on ? (FStateFlags | flag) : (FStateFlags & ~flag);
}

TCanvas& TSkinControl::CanvasOn(HDC dc) {
  TCanvas& canvas = FCanvas ? *FCanvas : FOwnCanvas;
  canvas.SetHandle(dc);
  return canvas;
}

void TSkinControl::RestoreColour() {
  if (FUseSkinColour && FControl) FControl->SetColor(FSavedColour);
}

void TSkinControl::SkinChanged() {
  if (FUseSkinColour && FControl) FControl->SetColor(FSkinData->Colours.ButtonFace);
  if (FWindow)
    InvalidateRect(FWindow, nullptr, TRUE);
  else if (FGraphicControl)
    FGraphicControl->Invalidate();
}

void TSkinControl::MouseLeft() {
  if (TControl* control = Control())
    control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control));
  else if (FWindow)
    SendMessageW(FWindow, CM_MOUSELEAVE, 0, 0);
}

void TSkinControl::DrawIconAndText(HDC dc, const RECT& item, const std::wstring& text, HIMAGELIST images,
                                   int image, int align, bool enabled) {
  RECT measured{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
            DT_SINGLELINE | DT_EXPANDTABS | DT_CENTER | DT_CALCRECT | DT_NOCLIP);
  int iconSize = 0, iconHeight = 0;
  if (images && image != -1) ImageList_GetIconSize(images, &iconSize, &iconHeight);
  TIconTextPlacement place = PlaceIconAndText({item.left, item.top, item.right, item.bottom}, measured.right,
                                              measured.bottom, iconSize, THorzAlign(align));
  if (iconSize > 0) ImageList_Draw(images, image, dc, place.Icon.Left, place.Icon.Top, ILD_TRANSPARENT);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  int mode = SetBkMode(dc, TRANSPARENT);
  RECT target{place.Text.Left, place.Text.Top, place.Text.Right, place.Text.Bottom};
  DrawWideText(dc, text, target, DT_SINGLELINE | DT_EXPANDTABS | (place.Clipped ? DT_END_ELLIPSIS : DT_NOCLIP));
  SetBkMode(dc, mode);
}

HDC TSkinControl::Scratch(int width, int height) {
  TSkinShared* shared = SkinShared();
  TBitmap& scratch = shared ? shared->Scratch : FOwnScratch;
  if (scratch.Width() != width || scratch.Height() != height) scratch.SetSize(width, height);
  return scratch.Canvas().Handle();
}

int TSkinControl::DrawDpi() const {
  if (FForm)
    if (int dpi = FForm->ControlDpi(); dpi > 0) return dpi;
  return WindowDpi(FWindow);
}

COLORREF TSkinControl::FaceColour() const { return ColorToRGB(FSkinData->Colours.ButtonFace); }

void TSkinControl::FillBackground(HDC dc, const RECT& rect) {
  TBrushHandle brush(CreateSolidBrush(FaceColour()));
  FillRect(dc, &rect, brush.Get());
}

void TSkinControl::DrawElement(HDC dc, const RECT& rect, TDataSkinObject& element, int frameCount, int frame) {
  DrawImage(dc, rect, element.Image, element, frameCount, frame, element.Trans == 1);
}

void TSkinControl::DrawImage(HDC dc, const RECT& rect, TBitmap& image, const TDataSkinObject& element,
                             int frameCount, int frame, bool transparent) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  TMargins margins{element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight};
  std::unique_ptr<TBitmap> picture = RenderElement(rect, image, margins, false, element.Tile != 0, frameCount, frame);
  if (picture->Empty()) return;
  if (transparent)
    DrawTransparent(dc, rect, *picture, kSkinTransparent);
  else
    BitBlt(dc, rect.left, rect.top, picture->Width(), picture->Height(), picture->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinControl::DrawCaption(HDC dc, const std::wstring& text, const RECT& rect, UINT alignment, bool enabled) {
  int mode = SetBkMode(dc, TRANSPARENT);
  RECT measured = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
            alignment | DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP);
  TSkinRect place = CaptionRect({rect.left, rect.top, rect.right, rect.bottom}, measured.right - measured.left,
                                measured.bottom - measured.top, (alignment & DT_CENTER) != 0);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  RECT target{place.Left, place.Top, place.Right, place.Bottom};
  DrawWideText(dc, text, target, alignment | DT_EXPANDTABS);
  SetBkMode(dc, mode);
}
