#include "toolkit/forms/Form.h"

#include <algorithm>

#include "toolkit/forms/LayoutResource.h"
#include "toolkit/platform/Application.h"

TScreen Screen;

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

TForm::~TForm() {
  auto& forms = Screen.FForms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  // The menu bar belongs to the menu component, not to the window.
  if (FHandle) ::SetMenu(FHandle, nullptr);
  if (FMenu) FMenu->SetOnChange(nullptr);
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
}

void TForm::SetMenu(TMainMenu* menu) {
  if (FMenu) FMenu->SetOnChange(nullptr);
  FMenu = menu;
  if (FMenu) FMenu->SetOnChange([this] { MenuChanged(); });
  MenuChanged();
}

void TForm::MenuChanged() {
  if (!FHandle || FFormStyle == fsMDIChild) return;
  ::SetMenu(FHandle, FMenu ? FMenu->MenuHandle() : nullptr);
  Perform(CM_MENUCHANGED);
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
    TForm* frame = Application.MainForm();
    if (!frame || frame->FFormStyle != fsMDIForm || !frame->FClientHandle)
      throw Exception(L"Cannot create form. No MDI forms are currently active");
    params.WndParent = frame->FClientHandle;
    params.Style = (params.Style & ~WS_POPUP) | WS_CHILD;
    params.ExStyle |= WS_EX_MDICHILD;
  }
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
  if (FMenu && FFormStyle != fsMDIChild) ::SetMenu(FHandle, FMenu->MenuHandle());
  if (FClientWidth >= 0 && FClientHeight >= 0) {
    RECT outer{0, 0, FClientWidth, FClientHeight};
    auto style = static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_STYLE));
    auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(FHandle, GWL_EXSTYLE));
    AdjustWindowRectEx(&outer, style, FMenu != nullptr, exStyle);
    SetBounds(Left(), Top(), outer.right - outer.left, outer.bottom - outer.top);
  }
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
  FModal = true;
  FModalResult = mrNone;
  try {
    Show();
    while (FModalResult == mrNone && !Application.Terminated()) Application.HandleMessage();
  } catch (...) {
    FModal = false;
    for (HWND wnd : disabled) EnableWindow(wnd, TRUE);
    throw;
  }
  FModal = false;
  // The owner is enabled before this window hides, so it takes the activation back.
  for (HWND wnd : disabled) EnableWindow(wnd, TRUE);
  Hide();
  return FModalResult;
}

void TForm::Close() {
  TCloseAction action = caHide;
  if (FOnClose) FOnClose(this, action);
  if (action == caNone) return;
  if (FModal) {
    FModalResult = mrCancel;
  } else if (this == Application.MainForm()) {
    Application.Terminate();
  } else if (action == caHide) {
    Hide();
  }
}

// A failing OnCreate is reported, and the form still opens.
void TForm::DoCreate() {
  try {
    if (FOnCreate) FOnCreate(this);
  } catch (const std::exception& error) {
    Application.HandleException(error);
  }
}

void TForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_COMMAND:
      if (message.LParam == 0 && HIWORD(message.WParam) == 0 && FMenu && FMenu->DispatchCommand(LOWORD(message.WParam)))
        return;
      break;
    // Owner-drawn items of the menu bar's drop-downs (wParam 0: not a control's).
    case WM_MEASUREITEM:
      if (message.WParam == 0 && FMenu && FMenu->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)))
        return void(message.Result = TRUE);
      break;
    case WM_DRAWITEM:
      if (message.WParam == 0 && FMenu && FMenu->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)))
        return void(message.Result = TRUE);
      break;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

bool TForm::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"ClientWidth") return FClientWidth = int(PropInt(value)), true;
  if (name == L"ClientHeight") return FClientHeight = int(PropInt(value)), true;
  if (name == L"BorderStyle") return FBorderStyle = BorderStyleFromName(PropIdent(value)), true;
  if (name == L"BorderIcons") return FBorderIcons = BorderIconsFromSet(PropSet(value)), true;
  if (name == L"Menu") return FMenuName = PropIdent(value), true;
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
  std::vector<TForm*> ordered(FForms);
  auto depth = [](TForm* form) {
    int place = 0;
    if (!form->HandleAllocated()) return INT_MAX;
    for (HWND wnd = form->Handle(); wnd; wnd = GetWindow(wnd, GW_HWNDPREV)) ++place;
    return place;
  };
  std::stable_sort(ordered.begin(), ordered.end(), [&](TForm* a, TForm* b) { return depth(a) < depth(b); });
  if (index < 0 || index >= FormCount()) throw EListError(index);
  return ordered[static_cast<size_t>(index)];
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
