#include "toolkit/forms/Form.h"

#include <algorithm>
#include <utility>

#include "toolkit/core/DisplayScale.h"
#include "toolkit/core/ScopeGuard.h"
#include "toolkit/forms/LayoutResource.h"
#include "toolkit/forms/StdCtrls.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/DisplayDpi.h"

// Never destroyed: forms that the application object frees at the program's end still leave it.
TScreen& Screen = *new TScreen;

namespace {

TBorderStyle BorderStyleFromName(const std::wstring& name) {
  if (name == L"bsSizeable") return bsSizeable;
  if (name == L"bsDialog") return bsDialog;
  throw EPropertyError(L"Invalid property value");
}

constexpr const wchar_t* kFormStyles[] = {L"fsNormal", L"fsMDIForm", L"fsMDIChild"};
constexpr const wchar_t* kWindowStates[] = {L"wsNormal", L"wsMaximized", L"wsMinimized"};
constexpr int kShowCommands[] = {SW_SHOWNORMAL, SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED};
constexpr UINT kFirstMdiChildId = 0xFF00;

unsigned BorderIconsFromSet(const TLayoutSet& set) {
  unsigned icons = 0;
  for (const std::wstring& name : set) {
    if (name == L"biSystemMenu") icons |= biSystemMenu;
    else if (name == L"biMinimize") icons |= biMinimize;
    else if (name == L"biMaximize") icons |= biMaximize;
    else throw EPropertyError(L"Invalid property value");
  }
  return icons;
}

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  FVisible = false;
  Screen.FForms.push_back(this);
}

void TForm::Destroying() {
  if (FModalState) std::exchange(FModalState, nullptr)->Freed = true;
  auto& forms = Screen.FForms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  // Destroying a window destroys its menu bar, which belongs to the menu component.
  if (FHandle && FFormStyle != fsMDIChild) ::SetMenu(FHandle, nullptr);
  SetMenu(nullptr);
  TWinControl::Destroying();
  DisposeMenu(std::move(FMergedMenu));
}

void TForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == FMenu) SetMenu(nullptr);
  if (operation == opRemove && component == FActiveControl) FActiveControl = nullptr;
}

void TForm::ReadLayout(const wchar_t* resourceName) {
  BeginLoading();
  try {
    ReadLayoutResource(*this, resourceName);
  } catch (...) {
    EndLoading();
    throw;
  }
  EndLoading();
}

void TForm::Loaded() {
  if (!FMenuName.empty()) SetMenu(Field<TMainMenu>(FMenuName));
  if (!FActiveControlName.empty()) SetActiveControl(Field<TWinControl>(FActiveControlName));
}

void TForm::SetActiveControl(TWinControl* control) {
  if (control == FActiveControl) return;
  if (FActiveControl) FActiveControl->RemoveFreeNotification(this);
  FActiveControl = control;
  if (FActiveControl) FActiveControl->FreeNotification(this);
  // Once the form is active, the choice takes the focus at once.
  if (FActiveControl && FHandle && GetActiveWindow() == FHandle && FActiveControl->HandleAllocated())
    SetFocus(FActiveControl->Handle());
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == FMenu) return;
  if (FMenu) {
    FMenu->SetOnChange({});
    FMenu->RemoveFreeNotification(this);
  }
  FMenu = menu;
  if (FMenu) {
    FMenu->FreeNotification(this);
    FMenu->SetOnChange(TNotifyEvent::Of<&TForm::MenuItemsChanged>(*this));
  }
  ShowMenu();
}

// The window gets the menu bar; an MDI frame the merged one, and an MDI child
// has its menu merged into its frame's.
void TForm::ShowMenu() {
  if (!FHandle || (ComponentState() & csDestroying)) return;
  if (FFormStyle == fsMDIChild) {
    if (TForm* frame = MDIFrame()) frame->ShowMenu();
    return;
  }
  if (FFormStyle == fsMDIForm)
    MergeMenus();
  else
    ::SetMenu(FHandle, FMenu ? FMenu->MenuHandle() : nullptr);
  SendMessageW(FHandle, CM_MENUCHANGED, 0, 0);
}

// Items change in place, so the bar keeps its handle; only a new set of bar
// entries changes what an MDI frame merges.
void TForm::MenuItemsChanged(TComponent* item) {
  auto* changed = dynamic_cast<TMenuItem*>(item);
  bool barEntries = !changed || !changed->Parent() || !changed->Parent()->Parent();
  if (FFormStyle != fsNormal && barEntries) return ShowMenu();
  TForm* shown = FFormStyle == fsMDIChild ? MDIFrame() : this;
  if (!shown || !shown->FHandle || (shown->ComponentState() & csDestroying)) return;
  if (GetMenu(shown->FHandle)) DrawMenuBar(shown->FHandle);
  SendMessageW(shown->FHandle, CM_MENUCHANGED, 0, 0);
}

// An MDI frame's bar: its own entries followed by the active child's, which
// share their drop-downs with the two menus. The client window puts it on the
// frame (WM_MDISETMENU), as the platform's MDI expects.
void TForm::MergeMenus() {
  TForm* child = ActiveMDIChild();
  TMainMenu* childMenu = child && !(child->ComponentState() & csDestroying) ? child->FMenu : nullptr;
  HMENU own = FMenu ? FMenu->MenuHandle() : nullptr;
  TMenuHandle merged;
  if (childMenu) {
    merged.Reset(CreateMenu());
    if (FMenu) FMenu->AppendEntries(merged.Get());
    childMenu->AppendEntries(merged.Get());
  }
  HMENU bar = merged ? merged.Get() : own;
  if (bar)
    SendMessageW(FClientHandle, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), 0);
  else
    ::SetMenu(FHandle, nullptr);
  SendMessageW(FClientHandle, WM_MDIREFRESHMENU, 0, 0);
  DrawMenuBar(FHandle);
  DisposeMenu(std::exchange(FMergedMenu, std::move(merged)));
}

// The menu on this window that holds command: the form's own, or for an MDI
// frame the active child's, whose entries the frame's bar shows.
TMenu* TForm::MenuWith(UINT command) const {
  auto holds = [command](TMainMenu* menu) { return menu && menu->Find(command) && menu->Find(command) != menu; };
  if (holds(FMenu)) return FMenu;
  TForm* child = FFormStyle == fsMDIForm ? ActiveMDIChild() : nullptr;
  return child && holds(child->FMenu) ? child->FMenu : nullptr;
}

TForm* TForm::MDIFrame() const {
  TForm* frame = Application.MainForm();
  return frame && frame->FFormStyle == fsMDIForm && !(frame->ComponentState() & csDestroying) ? frame : nullptr;
}

TForm* TForm::ActiveMDIChild() const {
  if (!FClientHandle) return nullptr;
  auto active = reinterpret_cast<HWND>(SendMessageW(FClientHandle, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TForm*>(FromHandle(active));
}

void TForm::SetFormStyle(TFormStyle style) {
  if (FHandle && style != FFormStyle) throw Exception(L"Cannot change the style of a form with a window");
  FFormStyle = style;
}

TWindowState TForm::WindowState() const {
  if (!FHandle) return FWindowState;
  if (IsIconic(FHandle)) return wsMinimized;
  return IsZoomed(FHandle) ? wsMaximized : wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  FWindowState = state;
  if (FHandle && IsWindowVisible(FHandle)) ShowWindow(FHandle, kShowCommands[state]);
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style &= ~(WS_CHILD | WS_VISIBLE);
  params.Style |= WS_CAPTION | WS_CLIPCHILDREN;
  // A form owned by another stays in front of it.
  if (auto* owner = dynamic_cast<TForm*>(Owner())) params.WndParent = owner->Handle();
  if (FBorderIcons & biSystemMenu) params.Style |= WS_SYSMENU;
  if (FBorderStyle == bsDialog) {
    params.Style |= WS_POPUP;
    params.ExStyle |= WS_EX_DLGMODALFRAME;
    return;
  }
  params.Style |= WS_THICKFRAME;
  if (FBorderIcons & biMinimize) params.Style |= WS_MINIMIZEBOX;
  if (FBorderIcons & biMaximize) params.Style |= WS_MAXIMIZEBOX;
  if (FFormStyle == fsMDIChild) {
    TForm* frame = MDIFrame();
    if (!frame || !frame->FClientHandle) throw Exception(L"Cannot create form. No MDI forms are currently active");
    params.WndParent = frame->FClientHandle;
    params.Style = (params.Style & ~WS_POPUP) | WS_CHILD;
  }
}

// An MDI child's window is made and destroyed by the client window, which
// keeps its list of children, activates them and merges their menus.
HWND TForm::CreateWindowHandle(const TCreateParams& params) {
  if (FFormStyle != fsMDIChild) return TWinControl::CreateWindowHandle(params);
  MDICREATESTRUCTW create{};
  create.szClass = params.WindowClass.c_str();
  create.szTitle = FText.c_str();
  create.hOwner = GetModuleHandleW(nullptr);
  create.x = Left();
  create.y = Top();
  create.cx = Width();
  create.cy = Height();
  create.style = params.Style;
  return reinterpret_cast<HWND>(SendMessageW(params.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

void TForm::DestroyWindowHandle() {
  if (FFormStyle != fsMDIChild) return TWinControl::DestroyWindowHandle();
  SendMessageW(GetParent(FHandle), WM_MDIDESTROY, reinterpret_cast<WPARAM>(FHandle), 0);
  if (TForm* frame = MDIFrame()) frame->ShowMenu();
}

// The MDI client fills the frame's client area; the frame's default handling sizes it.
void TForm::CreateClientWindow() {
  CLIENTCREATESTRUCT client{};
  client.idFirstChild = kFirstMdiChildId;
  RECT area;
  GetClientRect(FHandle, &area);
  FClientHandle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, area.right,
                                  area.bottom, FHandle, nullptr, GetModuleHandleW(nullptr), &client);
  if (!FClientHandle) throw Exception(L"Error creating window %s", {L"MDICLIENT"});
}

void TForm::DefaultHandler(TMessage& message) {
  if (!FHandle || FFormStyle == fsNormal) return TWinControl::DefaultHandler(message);
  if (message.Msg == WM_NCDESTROY) FClientHandle = nullptr;
  message.Result = FFormStyle == fsMDIForm
                       ? DefFrameProcW(FHandle, FClientHandle, message.Msg, message.WParam, message.LParam)
                       : DefMDIChildProcW(FHandle, message.Msg, message.WParam, message.LParam);
}

void TForm::InitializeWnd() {
  if (FFormStyle == fsMDIForm) CreateClientWindow();
  if (FMenu) ShowMenu();
  if (FLayoutClient.cx < 0) FLayoutClient = LayoutClientSize();
  int dpi = WindowDpi(FHandle);
  if (dpi != FPixelsPerInch) return ChangeScale(dpi);
  if (FClientWidth >= 0 && FClientHeight >= 0) {
    RECT outer{0, 0, FClientWidth, FClientHeight};
    auto style = static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_STYLE));
    auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_EXSTYLE));
    AdjustWindowRectEx(&outer, style, HasMenuBar(), exStyle);
    SetBounds(Left(), Top(), outer.right - outer.left, outer.bottom - outer.top);
  }
}

SIZE TForm::LayoutClientSize() {
  if (FClientWidth >= 0 && FClientHeight >= 0) return {FClientWidth, FClientHeight};
  auto [style, exStyle] = WindowStyles();
  RECT frame = AdjustWindowRectForDpi({0, 0, 0, 0}, style, HasMenuBar(), exStyle, FPixelsPerInch);
  TDpiScale scale(FPixelsPerInch);
  return {scale.Unscale(Width() - (frame.right - frame.left)), scale.Unscale(Height() - (frame.bottom - frame.top))};
}

std::pair<DWORD, DWORD> TForm::WindowStyles() {
  if (FHandle)
    return {static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_STYLE)),
            static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_EXSTYLE))};
  TCreateParams params;
  CreateParams(params);
  return {params.Style, params.ExStyle};
}

void TForm::ScaleBounds(int toDpi) {
  if (FLayoutClient.cx < 0) FLayoutClient = LayoutClientSize();
  TDpiScale scale(toDpi);
  RECT outer{0, 0, scale.Scale(FLayoutClient.cx), scale.Scale(FLayoutClient.cy)};
  if (FHandle && IsWindowVisible(FHandle) && !IsIconic(FHandle)) {
    // A shown window keeps the frame it has now, which may be another's than
    // the platform's (a skin's); one just made has the platform's.
    RECT window, client;
    GetWindowRect(FHandle, &window);
    GetClientRect(FHandle, &client);
    outer.right += (window.right - window.left) - client.right;
    outer.bottom += (window.bottom - window.top) - client.bottom;
  } else {
    auto [style, exStyle] = WindowStyles();
    outer = AdjustWindowRectForDpi(outer, style, HasMenuBar(), exStyle, toDpi);
  }
  SetBounds(Left(), Top(), outer.right - outer.left, outer.bottom - outer.top);
}

// The window moved to a monitor of another DPI (or the monitor's changed):
// the layout follows, and the window takes the place the platform suggests.
void TForm::WMDpiChanged(TMessage& message) {
  const RECT suggested = *reinterpret_cast<const RECT*>(message.LParam);
  SetBounds(suggested.left, suggested.top, suggested.right - suggested.left, suggested.bottom - suggested.top);
  // The suggested size scales the whole window; the client area is the
  // layout's taken to the new DPI within the frame the window has.
  ChangeScale(LOWORD(message.WParam));
  message.Result = 0;
}

void TForm::Show() {
  SetVisible(true);
  ShowWindow(Handle(), FWindowState == wsNormal ? SW_SHOW : kShowCommands[FWindowState]);
  SetForegroundWindow(FHandle);
  UpdateWindow(FHandle);
}

int TForm::ShowModal() {
  std::vector<HWND> disabled;
  for (TForm* form : Screen.FForms)
    if (form != this && form->HandleAllocated() && IsWindowEnabled(form->FHandle)) {
      EnableWindow(form->FHandle, FALSE);
      disabled.push_back(form->FHandle);
    }
  TModalState state;
  {
    FModalState = &state;
    auto restore = ScopeExit([&] {
      if (!state.Freed) FModalState = nullptr;
      // The owner is enabled before this window hides, so it takes the activation back.
      for (HWND wnd : disabled) EnableWindow(wnd, TRUE);
    });
    FModalResult = mrNone;
    Show();
    while (!state.Freed && FModalResult == mrNone && !Application.Terminated()) Application.HandleMessage();
  }
  if (state.Freed) return mrCancel;
  Hide();
  return FModalResult;
}

void TForm::Close() {
  TCloseAction action = caHide;
  if (FOnClose) FOnClose(this, action);
  if (action == caNone) return;
  if (FModalState) {
    FModalResult = mrCancel;
    if (action == caFree) Release();
    return;
  }
  if (this == Application.MainForm()) return Application.Terminate();
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    case caNone: break;
  }
}

void TForm::Release() { PostMessageW(Handle(), CM_RELEASE, 0, 0); }

// A failing OnCreate is reported, and the form still opens.
void TForm::DoCreate() {
  try {
    if (FOnCreate) FOnCreate(this);
  } catch (...) {
    Application.HandleCurrentException();
  }
}

void TForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE: return Close();
    case CM_RELEASE: return Free();
    case WM_ACTIVATE: return WMActivate(message);
    case WM_SETFOCUS:
      // Focus given to the form itself (a restore, a program's SetFocus) goes on to its control.
      if (FFormStyle == fsNormal && !IsIconic(FHandle) && FocusTarget()) return RestoreFocus();
      break;
    case WM_MDIACTIVATE: WMMDIActivate(message); break;
    case WM_DPICHANGED: return WMDpiChanged(message);
    case WM_COMMAND: case WM_MEASUREITEM: case WM_DRAWITEM: if (MenuMessage(message)) return; break;
    case WM_EXITMENULOOP: DisposeMenu({}); break;  // menus given up while the loop ran
    case WM_MENUCHAR: if (MenuChar(message)) return; break;
    default: break;
  }
  TWinControl::WndProc(message);
}

// The screen lists the form last activated first. A form that goes keeps
// its focused control in mind and gives it the focus again when it comes back,
// where the platform would focus the form itself.
void TForm::WMActivate(TMessage& message) {
  if (LOWORD(message.WParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(FHandle, focus)) FLastFocus = focus;
    return TWinControl::WndProc(message);
  }
  auto& forms = Screen.FForms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  forms.insert(forms.begin(), this);
  const bool minimized = HIWORD(message.WParam) != 0;
  if (FFormStyle != fsNormal || minimized || !FocusTarget()) return TWinControl::WndProc(message);
  RestoreFocus();
  message.Result = 0;
}

void TForm::ControlFocused(HWND wnd) {
  if (wnd != FHandle) FLastFocus = wnd;
}

HWND TForm::FocusTarget() const {
  auto usable = [this](HWND wnd) {
    if (!wnd || !IsWindow(wnd) || !IsChild(FHandle, wnd) || !IsWindowVisible(wnd)) return false;
    for (HWND inside = wnd; inside && inside != FHandle; inside = GetParent(inside))
      if (!IsWindowEnabled(inside)) return false;
    return true;
  };
  if (usable(FLastFocus)) return FLastFocus;
  if (FActiveControl && FActiveControl->HandleAllocated() && usable(FActiveControl->Handle()))
    return FActiveControl->Handle();
  HWND first = GetNextDlgTabItem(FHandle, nullptr, FALSE);
  const bool tabStop = first && (GetWindowLongPtrW(first, GWL_STYLE) & WS_TABSTOP) != 0;
  return tabStop && usable(first) ? first : nullptr;
}

namespace {

// The first visible, enabled push button inside parent for which picks holds.
TButton* FindButton(const TWinControl& parent, bool (TButton::*picks)() const) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    auto* control = dynamic_cast<TWinControl*>(parent.Controls(i));
    if (!control || !control->Visible() || !control->Enabled()) continue;
    auto* button = dynamic_cast<TButton*>(control);
    if (button && (button->*picks)()) return button;
    if (TButton* inside = FindButton(*control, picks)) return inside;
  }
  return nullptr;
}

}  // namespace

bool TForm::DialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) || !FHandle) return false;
  HWND focus = GetFocus();
  if (focus != FHandle && !IsChild(FHandle, focus)) return false;
  // A multi-line edit takes Enter, an open drop-down list Escape.
  const LRESULT wants = SendMessageW(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  TButton* button = nullptr;
  if (msg.wParam == VK_RETURN) {
    button = dynamic_cast<TButton*>(FromHandle(focus));
    if (!button) button = FindButton(*this, &TButton::Default);
  } else {
    button = FindButton(*this, &TButton::Cancel);
  }
  if (!button || !button->HandleAllocated() || !IsWindowEnabled(button->Handle())) return false;
  // Pressed as a click presses it, through its parent's procedures.
  HWND wnd = button->Handle();
  SendMessageW(GetParent(wnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), BN_CLICKED), reinterpret_cast<LPARAM>(wnd));
  return true;
}

void TForm::RestoreFocus() {
  if (HWND target = FocusTarget()) SetFocus(target);
}

// An MDI child that becomes active brings its menu to the frame's bar.
void TForm::WMMDIActivate(TMessage& message) {
  if (FFormStyle == fsMDIChild && reinterpret_cast<HWND>(message.LParam) == FHandle) ShowMenu();
}

// Commands and owner-drawn items of the menu bar's drop-downs (not a
// control's: wParam 0); true when a menu item took the message.
bool TForm::MenuMessage(TMessage& message) {
  if (message.Msg == WM_COMMAND) {
    UINT command = LOWORD(message.WParam);
    TMenu* menu = message.LParam == 0 && HIWORD(message.WParam) == 0 ? MenuWith(command) : nullptr;
    return menu && menu->DispatchCommand(command);
  }
  if (message.WParam != 0) return false;
  if (message.Msg == WM_MEASUREITEM) {
    auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    TMenu* menu = MenuWith(measure.itemID);
    message.Result = menu && menu->MeasureItem(measure);
  } else {
    auto& draw = *reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
    TMenu* menu = MenuWith(draw.itemID);
    message.Result = menu && menu->DrawItem(draw);
  }
  return message.Result != 0;
}

bool TForm::MenuChar(TMessage& message) {
  auto menu = reinterpret_cast<HMENU>(message.LParam);
  auto character = static_cast<wchar_t>(LOWORD(message.WParam));
  LRESULT chosen = 0;
  for (TMainMenu* held : {FMenu, FFormStyle == fsMDIForm && ActiveMDIChild() ? ActiveMDIChild()->FMenu : nullptr})
    if (held && held->MenuChar(menu, character, chosen)) return message.Result = chosen, true;
  return false;
}

bool TForm::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"ClientWidth") return FClientWidth = int(PropInt(value)), true;
  if (name == L"ClientHeight") return FClientHeight = int(PropInt(value)), true;
  if (name == L"BorderStyle") return FBorderStyle = BorderStyleFromName(PropIdent(value)), true;
  if (name == L"BorderIcons") return FBorderIcons = BorderIconsFromSet(PropSet(value)), true;
  if (name == L"Menu") return FMenuName = PropIdent(value), true;
  if (name == L"ActiveControl") return FActiveControlName = PropIdent(value), true;
  if (name == L"FormStyle") return SetFormStyle(PropEnum<TFormStyle>(value, kFormStyles)), true;
  if (name == L"WindowState") return FWindowState = PropEnum<TWindowState>(value, kWindowStates), true;
  if (name == L"AutoScroll") return SetAutoScroll(PropBool(value)), true;
  return TWinControl::SetProperty(name, value);
}

bool TForm::SetEvent(const std::wstring& name, const std::any& handler) {
  if (name == L"OnCreate") return BindEvent(handler, FOnCreate);
  if (name == L"OnClose") return BindEvent(handler, FOnClose);
  return TWinControl::SetEvent(name, handler);
}

const std::any* TForm::FindHandler(const std::wstring& name) const {
  auto found = FHandlers.find(name);
  return found == FHandlers.end() ? nullptr : &found->second;
}

TForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) throw EListError(index);
  return FForms[static_cast<size_t>(index)];
}

HFONT TScreen::MenuFont() {
  if (!FMenuFont) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    FMenuFont.Reset(CreateFontIndirectW(&metrics.lfMenuFont));
  }
  return FMenuFont.Get();
}
