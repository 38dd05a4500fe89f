#include "toolkit/forms/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <optional>

#include "toolkit/core/DisplayScale.h"
#include "toolkit/core/ScopeGuard.h"
#include "toolkit/platform/Application.h"

namespace {

// The window property that leads from one of our windows to its control.
const wchar_t kControlProperty[] = L"QuillmereControl";
// The control whose window CreateWindowEx is making on this thread: its first
// messages arrive before CreateWindowEx returns the handle.
thread_local TWinControl* tCreating = nullptr;

bool IsMouseMessage(UINT msg) {
  return msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK ||
         msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP;
}

bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

TAlign AlignFromName(const std::wstring& name) {
  if (name == L"alNone") return alNone;
  if (name == L"alTop") return alTop;
  if (name == L"alBottom") return alBottom;
  throw EPropertyError(L"Invalid property value");
}

}  // namespace

TControl::TControl(TComponent* owner) : TComponent(owner) {
  FWindowProc = TWndMethod::Of<&TControl::WndProc>(*this);
  FFont.SetOnChange(TMethod<>::Of<&TControl::FontChanged>(*this));
}

void TControl::Destroying() {
  // The skin engine gives a windowless control its WindowProc back on this.
  if (!dynamic_cast<TWinControl*>(this)) Perform(CM_RELEASE);
  Application.ControlDestroying(this);
  TComponent::Destroying();
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  FParent = parent;
  if (!FParent) return;
  FParent->InsertControl(this);
  if (FParentColor) FColor = FParent->FColor;
  if (FParentFont) {
    FFont.Assign(FParent->FFont);
    FParentFont = true;
  }
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* windowed = dynamic_cast<TWinControl*>(parent)) SetParent(windowed);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (FParent) Invalidate();
  FBounds = {left, top, left + width, top + height};
  if (FParent) Invalidate();
}

RECT TControl::ClientRect() const { return {0, 0, Width(), Height()}; }

void TControl::ChangeScale(int dpi) {
  dpi = TDpiScale(dpi).Dpi();
  if (dpi == FPixelsPerInch) return;
  KeepLayout();
  ApplyScale(dpi);
}

void TControl::KeepLayout() {
  if (EqualRect(&FBounds, &FScaledBounds)) return;
  TScaledRect layout =
      TDpiScale(FPixelsPerInch).Unscale(TScaledRect{int(FBounds.left), int(FBounds.top), int(FBounds.right), int(FBounds.bottom)});
  FLayoutBounds = {layout.Left, layout.Top, layout.Right, layout.Bottom};
  FScaledBounds = FBounds;
}

void TControl::ApplyScale(int dpi) {
  FPixelsPerInch = dpi;
  ScaleBounds(dpi);
  // After the bounds: a control that sizes itself to its text does so in the new font.
  FFont.SetPixelsPerInch(dpi);
  FScaledBounds = FBounds;
}

void TControl::ScaleBounds(int toDpi) {
  TScaledRect scaled = TDpiScale(toDpi).Scale(
      TScaledRect{int(FLayoutBounds.left), int(FLayoutBounds.top), int(FLayoutBounds.right), int(FLayoutBounds.bottom)});
  SetBounds(scaled.Left, scaled.Top, scaled.Right - scaled.Left, scaled.Bottom - scaled.Top);
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  if (FParent && FParent->HandleAllocated()) InvalidateRect(FParent->Handle(), &FBounds, TRUE);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor color) {
  FParentColor = false;
  ColorChanged(color);
}

void TControl::SetParentColor(bool parentColor) {
  FParentColor = parentColor;
  if (FParentColor && FParent) ColorChanged(FParent->FColor);
}

void TControl::ColorChanged(TColor color) {
  FColor = color;
  Invalidate();
}

void TControl::SetText(const std::wstring& text) {
  if (text == FText) return;
  FText = text;
  TextChanged();
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wparam, LPARAM lparam) {
  TMessage message{msg, wparam, lparam, 0};
  FWindowProc(message);
  return message.Result;
}

void TControl::Invalidate() {
  if (FParent && FParent->HandleAllocated() && FVisible) InvalidateRect(FParent->Handle(), &FBounds, TRUE);
}

void TControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: WMPaintWindowless(message); break;
    case WM_LBUTTONDOWN: MouseDown(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)); break;
    case WM_LBUTTONUP: MouseUp(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)); break;
    case CM_MOUSEENTER: if (message.LParam == reinterpret_cast<LPARAM>(this)) MouseEnter(); break;
    case CM_MOUSELEAVE: if (message.LParam == reinterpret_cast<LPARAM>(this)) MouseLeave(); break;
    case CM_ENABLEDCHANGED: EnabledChanged(); break;
    case CM_CANCELMODE: CancelMode(); break;
    default: break;
  }
}

void TControl::WMPaintWindowless(TMessage& message) {
  TCanvas canvas(reinterpret_cast<HDC>(message.WParam));
  canvas.Font().Assign(FFont);
  Paint(canvas);
}

void TControl::MouseUp(int x, int y) {
  if (x >= 0 && y >= 0 && x < Width() && y < Height()) Click();
}

void TControl::FontChanged() { Invalidate(); }

void TControl::EnabledChanged() { Invalidate(); }

bool TControl::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Left") return SetBounds(int(PropInt(value)), Top(), Width(), Height()), true;
  if (name == L"Top") return SetBounds(Left(), int(PropInt(value)), Width(), Height()), true;
  if (name == L"Width") return SetBounds(Left(), Top(), int(PropInt(value)), Height()), true;
  if (name == L"Height") return SetBounds(Left(), Top(), Width(), int(PropInt(value))), true;
  if (name == L"Caption" || name == L"Text") return SetText(PropString(value)), true;
  if (name == L"Hint") return SetHint(PropString(value)), true;
  if (name == L"ShowHint") return SetShowHint(PropBool(value)), true;
  if (name == L"Visible") return SetVisible(PropBool(value)), true;
  if (name == L"Enabled") return SetEnabled(PropBool(value)), true;
  if (name == L"Color") return SetColor(ColorFromName(PropIdent(value))), true;
  if (name == L"ParentFont") return FParentFont = PropBool(value), true;
  if (name == L"ParentColor") return SetParentColor(PropBool(value)), true;
  if (name == L"Align") return FAlign = AlignFromName(PropIdent(value)), true;
  if (name.starts_with(L"Font.")) return ApplyFontProperty(name.substr(5), value), true;
  return TComponent::SetProperty(name, value);
}

void TControl::ApplyFontProperty(const std::wstring& name, const TPropValue& value) {
  FParentFont = false;
  if (name == L"Name") return FFont.SetName(PropString(value));
  if (name == L"Height") return FFont.SetHeight(int(PropInt(value)));
  if (name == L"Color") return FFont.SetColor(ColorFromName(PropIdent(value)));
  if (name == L"Style") {
    unsigned style = 0;
    for (const std::wstring& member : PropSet(value)) style |= member == L"fsBold" ? unsigned(fsBold) : 0u;
    return FFont.SetStyle(style);
  }
  throw EPropertyError(L"Invalid property value");
}

std::optional<TPropValue> TControl::GetProperty(const std::wstring& name) const {
  if (name == L"Left") return int64_t(Left());
  if (name == L"Top") return int64_t(Top());
  if (name == L"Width") return int64_t(Width());
  if (name == L"Height") return int64_t(Height());
  if (name == L"Caption" || name == L"Text") return Text();
  if (name == L"Hint") return FHint;
  if (name == L"Visible") return BoolProp(FVisible);
  if (name == L"Enabled") return BoolProp(FEnabled);
  return TComponent::GetProperty(name);
}

bool TControl::SetEvent(const std::wstring& name, const std::any& handler) {
  if (name == L"OnClick") return BindEvent(handler, FOnClick);
  return TComponent::SetEvent(name, handler);
}

// The window goes first, while every part of the control is whole; then what
// the control owns. Children that others own outlive it without a parent.
void TWinControl::Destroying() {
  DestroyHandle();
  TControl::Destroying();
  for (TControl* control : FControls) control->FParent = nullptr;
  FControls.clear();
}

HWND TWinControl::Handle() {
  if (!FHandle) CreateWnd();
  return FHandle;
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  return wnd ? static_cast<TWinControl*>(GetPropW(wnd, kControlProperty)) : nullptr;
}

TControl* TWinControl::ControlAtPos(POINT point) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* control = *it;
    if (!dynamic_cast<TWinControl*>(control) && control->Visible() && control->Enabled() &&
        PtInRect(&control->BoundsRect(), point))
      return control;
  }
  return nullptr;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.WindowClass = ClassName();
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.ExStyle = WS_EX_CONTROLPARENT;
  if (FParent) params.Style |= WS_CHILD;
  if (FVisible) params.Style |= WS_VISIBLE;
  if (!FEnabled) params.Style |= WS_DISABLED;
}

WNDPROC TWinControl::RegisterClass(const TCreateParams& params) {
  static std::map<std::wstring, WNDPROC> registered;
  auto found = registered.find(params.WindowClass);
  if (found != registered.end()) return found->second;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  WNDPROC baseProc = DefWindowProcW;
  if (params.BaseClass) {
    if (!GetClassInfoExW(nullptr, params.BaseClass, &windowClass)) throw Exception(L"Window class %s not found", {params.BaseClass});
    windowClass.cbSize = sizeof(windowClass);
    baseProc = windowClass.lpfnWndProc;
  } else {
    windowClass.style = CS_DBLCLKS;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
  }
  windowClass.style &= ~CS_GLOBALCLASS;
  windowClass.lpfnWndProc = StdWndProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = params.WindowClass.c_str();
  if (!RegisterClassExW(&windowClass)) throw Exception(L"Window class %s cannot be registered", {params.WindowClass});
  registered.emplace(params.WindowClass, baseProc);
  return baseProc;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  FDefWndProc = RegisterClass(params);
  if (FParent) params.WndParent = FParent->Handle();
  HWND wnd;
  {
    TWinControl* previous = std::exchange(tCreating, this);
    auto restore = ScopeExit([&] { tCreating = previous; });
    wnd = CreateWindowHandle(params);
  }
  if (!wnd) throw Exception(L"Error creating window %s", {ClassName()});
  FHandle = wnd;
  SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
  InitializeWnd();
  CreateChildHandles();
}

void TWinControl::CreateChildHandles() {
  std::vector<TWinControl*> children;
  for (TControl* control : FControls)
    if (auto* child = dynamic_cast<TWinControl*>(control)) children.push_back(child);
  // Creation order is the windows' z-order, which is the tab order.
  std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
    return unsigned(a->FTabOrder) < unsigned(b->FTabOrder);
  });
  for (TWinControl* child : children) child->Handle();
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& params) {
  return CreateWindowExW(params.ExStyle, params.WindowClass.c_str(), FText.c_str(), params.Style, Left(), Top(),
                         Width(), Height(), params.WndParent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void TWinControl::DestroyWindowHandle() { DestroyWindow(FHandle); }

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  HWND wnd = FHandle;
  DestroyWindowHandle();
  // WM_NCDESTROY let go of the window, unless a subclass kept it from us.
  if (FHandle == wnd) {
    RemovePropW(wnd, kControlProperty);
    FHandle = nullptr;
  }
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyHandle();
  CreateWnd();
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* control = FromHandle(wnd);
  if (!control && tCreating) {
    control = tCreating;
    control->FHandle = wnd;
    SetPropW(wnd, kControlProperty, control);
  }
  if (!control) return DefWindowProcW(wnd, msg, wparam, lparam);
  TMessage message{msg, wparam, lparam, 0};
  try {
    control->FWindowProc(message);
  } catch (...) {
    Application.HandleCurrentException(msg);
  }
  if (msg == WM_NCDESTROY) {
    RemovePropW(wnd, kControlProperty);
    control->FHandle = nullptr;
  }
  return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (!FHandle) return;
  message.Result = CallWindowProcW(FDefWndProc, FHandle, message.Msg, message.WParam, message.LParam);
}

void TWinControl::WndProc(TMessage& message) {
  UINT msg = message.Msg;
  if (msg == WM_PAINT) return WMPaint(message);
  // A buffered window erases only into its buffer.
  if (msg == WM_ERASEBKGND && FDoubleBuffered && reinterpret_cast<HDC>(message.WParam) != FPaintBuffer) {
    message.Result = 1;
    return;
  }
  if (msg == WM_ERASEBKGND && FDefWndProc == DefWindowProcW) {
    EraseBackground(reinterpret_cast<HDC>(message.WParam));
    message.Result = 1;
    return;
  }
  if (IsMouseMessage(msg)) return RouteMouse(message);
  if (msg == WM_CAPTURECHANGED) CaptureChanged(reinterpret_cast<HWND>(message.LParam));
  if ((msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_HSCROLL || msg == WM_VSCROLL || msg == WM_DRAWITEM ||
       IsCtlColor(msg)) &&
      ReflectToChild(message))
    return;
  if (msg >= CN_BASE + WM_CTLCOLORMSGBOX && msg <= CN_BASE + WM_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(FFont.Color()));
    SetBkColor(dc, ColorToRGB(FColor));
    FBrush.SetColor(FColor);
    message.Result = reinterpret_cast<LRESULT>(FBrush.Handle());
    return;
  }
  if (msg >= CM_BASE && msg < CN_BASE + 0x400) return TControl::WndProc(message);
  DefaultHandler(message);
  if (msg == WM_SETFOCUS) ControlFocused(FHandle);
  if (msg == WM_KILLFOCUS) Perform(CM_EXIT);
  if (msg == WM_SIZE) AlignControls();
}

void TWinControl::RouteMouse(TMessage& message) {
  POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  TControl* target = FCaptureControl ? FCaptureControl : ControlAtPos(point);
  if (!target) return DefaultHandler(message);
  if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
    FCaptureControl = target;
    SetCapture(FHandle);
  }
  LPARAM local = MAKELPARAM(point.x - target->Left(), point.y - target->Top());
  message.Result = target->Perform(message.Msg == WM_LBUTTONDBLCLK ? WM_LBUTTONDOWN : message.Msg,
                                   message.WParam, local);
  if (message.Msg == WM_LBUTTONUP && FCaptureControl) {
    FCaptureControl = nullptr;
    ReleaseCapture();
  }
}

// Another window took the mouse in the middle of a click: the control that had
// it hears so and gets no more of the mouse.
void TWinControl::CaptureChanged(HWND capture) {
  if (!FCaptureControl || capture == FHandle) return;
  std::exchange(FCaptureControl, nullptr)->Perform(CM_CANCELMODE);
}

bool TWinControl::ReflectToChild(TMessage& message) {
  HWND childWnd = reinterpret_cast<HWND>(message.LParam);
  if (message.Msg == WM_NOTIFY) childWnd = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
  // Menu items are drawn for the window whose menu they are in, not for a child.
  if (message.Msg == WM_DRAWITEM) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
    childWnd = draw->CtlType == ODT_MENU ? nullptr : draw->hwndItem;
  }
  TWinControl* child = FromHandle(childWnd);
  if (!child || child == this) return false;
  message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
  return true;
}

void TWinControl::WMPaint(TMessage& message) {
  bool windowless = std::any_of(FControls.begin(), FControls.end(),
                                [](TControl* c) { return !dynamic_cast<TWinControl*>(c); });
  if (FDoubleBuffered && !message.WParam) return PaintBuffered();
  if (!windowless || message.WParam) {
    DefaultHandler(message);
    if (windowless) PaintControls(reinterpret_cast<HDC>(message.WParam));
    return;
  }
  TPaintDC paint(FHandle);
  message.WParam = reinterpret_cast<WPARAM>(paint.Get());
  DefaultHandler(message);
  PaintControls(paint.Get());
  message.WParam = 0;
}

// The paint into the buffer goes through WindowProc as a WM_PAINT of its own,
// so that a layer above (a skinner painting over the control) draws into the
// same buffer and the screen gets one copy of the finished picture.
void TWinControl::PaintBuffered() {
  TPaintDC paint(FHandle);
  RECT client;
  GetClientRect(FHandle, &client);
  TMemoryDCHandle buffer(CreateCompatibleDC(paint.Get()));
  TBitmapHandle bitmap(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
  TSelectObject held(buffer.Get(), bitmap.Get());
  {
    FPaintBuffer = buffer.Get();
    auto done = ScopeExit([&] { FPaintBuffer = nullptr; });
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer.Get()));
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(buffer.Get()));
  }
  BitBlt(paint.Get(), 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* control : FControls) {
    if (dynamic_cast<TWinControl*>(control) || !control->Visible()) continue;
    TSaveDC saved(dc);
    const RECT& bounds = control->BoundsRect();
    OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
    IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::EraseBackground(HDC dc) {
  RECT client;
  GetClientRect(FHandle, &client);
  FBrush.SetColor(FColor);
  FillRect(dc, &client, FBrush.Handle());
}

void TWinControl::AlignControls() {
  if (!FHandle) return;
  RECT room = ClientRect();
  for (TControl* control : FControls) {
    if (control->Align() == alTop) {
      control->SetBounds(room.left, room.top, room.right - room.left, control->Height());
      room.top += control->Height();
    } else if (control->Align() == alBottom) {
      control->SetBounds(room.left, room.bottom - control->Height(), room.right - room.left, control->Height());
      room.bottom -= control->Height();
    }
  }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  FBounds = {left, top, left + width, top + height};
  if (FHandle) MoveWindow(FHandle, left, top, width, height, TRUE);
}

RECT TWinControl::ClientRect() const {
  RECT rect{0, 0, Width(), Height()};
  if (FHandle) GetClientRect(FHandle, &rect);
  return rect;
}

void TWinControl::KeepLayout() {
  TControl::KeepLayout();
  for (TControl* control : FControls) control->KeepLayout();
}

void TWinControl::ApplyScale(int dpi) {
  TControl::ApplyScale(dpi);
  for (TControl* control : FControls) control->ApplyScale(dpi);
  AlignControls();
}

void TWinControl::SetVisible(bool visible) {
  FVisible = visible;
  HWND focus = visible ? nullptr : FocusAfterLosing();
  if (FHandle) ShowWindow(FHandle, visible ? SW_SHOW : SW_HIDE);
  if (focus) SetFocus(focus);
}

void TWinControl::ControlFocused(HWND wnd) {
  if (FParent) FParent->ControlFocused(wnd);
}

HWND TWinControl::FocusAfterLosing() const {
  HWND focus = GetFocus();
  if (!FHandle || !focus || (focus != FHandle && !IsChild(FHandle, focus))) return nullptr;
  HWND top = GetAncestor(FHandle, GA_ROOT);
  if (!top || top == FHandle) return nullptr;  // a top window's focus goes with its activation
  // The tab stops inside this window go with it; the search ends where it began.
  HWND next = focus;
  for (int step = 0; step < 1000; ++step) {
    next = GetNextDlgTabItem(top, next, FALSE);
    if (!next || next == focus) break;
    if (next != FHandle && !IsChild(FHandle, next)) return next;
  }
  return top;
}

void TWinControl::SetText(const std::wstring& text) {
  FText = text;
  if (FHandle) SetWindowTextW(FHandle, FText.c_str());
  TextChanged();
}

std::wstring TWinControl::Text() const {
  if (!FHandle) return FText;
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(FHandle)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(FHandle, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::FontChanged() {
  if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
  for (TControl* control : FControls)
    if (control->FParentFont) {
      control->FFont.Assign(FFont);
      control->FParentFont = true;
    }
}

void TWinControl::ColorChanged(TColor color) {
  TControl::ColorChanged(color);
  for (TControl* control : FControls)
    if (control->FParentColor) control->ColorChanged(color);
}

void TWinControl::EnabledChanged() {
  HWND focus = FEnabled ? nullptr : FocusAfterLosing();
  if (FHandle) EnableWindow(FHandle, FEnabled);
  if (focus) SetFocus(focus);
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  if (FHandle)
    if (auto* child = dynamic_cast<TWinControl*>(control)) child->Handle();
}

void TWinControl::RemoveControl(TControl* control) {
  if (control == FCaptureControl) FCaptureControl = nullptr;
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
}

bool TWinControl::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"TabOrder") return SetTabOrder(int(PropInt(value))), true;
  if (name == L"DoubleBuffered") return SetDoubleBuffered(PropBool(value)), true;
  return TControl::SetProperty(name, value);
}

void TCustomControl::DefaultHandler(TMessage& message) {
  if (message.Msg != WM_PAINT || !FHandle) return TWinControl::DefaultHandler(message);
  auto dc = reinterpret_cast<HDC>(message.WParam);
  std::optional<TPaintDC> paint;
  if (!dc) dc = paint.emplace(FHandle).Get();
  TCanvas canvas(dc);
  canvas.Font().Assign(FFont);
  Paint(canvas);
}
