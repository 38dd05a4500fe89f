// The application's forms, message loop and hint machinery.
#include "toolkit/platform/Application.h"

#include <commctrl.h>

#include "toolkit/forms/Form.h"
#include "toolkit/platform/HiddenWindow.h"

namespace {

bool IsMouseMessage(UINT msg) { return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || msg == WM_MOUSELEAVE; }

// The control the mouse is over: the windowless control under it, else the
// nearest toolkit window that holds the window under it (given in under).
TControl* ControlAtCursor(HWND& under) {
  POINT point;
  under = nullptr;
  if (!GetCursorPos(&point)) return nullptr;
  under = WindowFromPoint(point);
  TWinControl* control = nullptr;
  for (HWND wnd = under; wnd && !control; wnd = GetParent(wnd)) control = TWinControl::FromHandle(wnd);
  if (!control) return nullptr;
  ScreenToClient(control->Handle(), &point);
  TControl* windowless = control->ControlAtPos(point);
  return windowless ? windowless : control;
}

// A control's hint, or its nearest parent's when it has none.
std::wstring HintOf(TControl* control) {
  for (; control; control = control->Parent())
    if (!control->Hint().empty()) return control->Hint();
  return {};
}

std::wstring LongHint(const std::wstring& hint) {
  size_t bar = hint.find(L'|');
  return bar == std::wstring::npos ? hint : hint.substr(bar + 1);
}

std::wstring ShortHint(const std::wstring& hint) { return hint.substr(0, hint.find(L'|')); }

HWND WindowOf(TControl* control) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed) windowed = control->Parent();
  return windowed ? windowed->Handle() : nullptr;
}

}  // namespace

void TApplication::Initialize() {
  if (FHandle) return;
  FPreTranslate = &TApplication::PreTranslate;
  FLastActiveForm = &TApplication::LastActiveForm;
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES;
  InitCommonControlsEx(&controls);
  std::wstring title = Title();
  FHandle = CreateHiddenWindow({L"TApplication", &TApplication::WindowProc, nullptr, WS_POPUP, 0, title.c_str()});
  FToolTip.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, FHandle.Get(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr));
  // A maximum width lets a hint keep its own line breaks.
  if (FToolTip) SendMessageW(FToolTip.Get(), TTM_SETMAXTIPWIDTH, 0, 600);
}

void TApplication::AddForm(TForm* form) {
  if (!FMainForm) FMainForm = form;
  form->DoCreate();
}

void TApplication::Run() {
  if (FMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
  DestroyForms();
}

void TApplication::Terminate() {
  if (!FTerminated) PostQuitMessage(0);
}

void TApplication::DestroyForms() {
  ShowToolTip(nullptr);
  FMouseControl = nullptr;
  while (FForms.ComponentCount() > 0) FForms.Components(FForms.ComponentCount() - 1)->Free();
  FMainForm = nullptr;
}

HWND TApplication::LastActiveForm() const {
  for (int i = 0; i < Screen.FormCount(); ++i) {
    TForm* form = Screen.Forms(i);
    if (form->HandleAllocated() && IsWindowVisible(form->Handle()) && IsWindowEnabled(form->Handle()))
      return form->Handle();
  }
  return nullptr;
}

void TApplication::SetHint(const std::wstring& hint) {
  if (hint == FHint) return;
  FHint = hint;
  if (FOnHint) FOnHint(nullptr);
}

// The hint event of a form that goes (the main form sets it for its status
// line) goes with it: a later mouse move must not call into a freed form.
void TApplication::ControlDestroying(TControl* control) {
  if (control == FMainForm) FMainForm = nullptr;
  if (FOnHint.Target() == dynamic_cast<const void*>(control)) FOnHint = {};
  if (control != FMouseControl) return;
  ShowToolTip(nullptr);
  FMouseControl = nullptr;
}

bool TApplication::PreTranslate(MSG& msg) {
  if (IsMouseMessage(msg.message)) {
    UpdateMouseControl(msg);
    if (!FToolWnds.empty()) SendMessageW(FToolTip.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
  }
  HWND top = GetAncestor(msg.hwnd, GA_ROOT);
  if (msg.message == WM_SYSCHAR) {
    TWinControl* form = TWinControl::FromHandle(top);
    if (form && form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0) return true;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && top && TWinControl::FromHandle(top))
    return IsDialogMessageW(top, &msg) != 0;
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE))
    if (auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(top))) return form->DialogKey(msg);
  return false;
}

// WM_MOUSELEAVE tells when the mouse leaves for a window that is not ours.
// The platform tracks one window at a time, so it is asked of the very window
// under the mouse (a combo box's edit part, not only the combo box) each time
// the mouse comes into another one, and again once it has answered.
void TApplication::UpdateMouseControl(const MSG& msg) {
  HWND under = nullptr;
  TControl* control = ControlAtCursor(under);
  if (msg.message == WM_MOUSELEAVE && msg.hwnd == FLeaveTracked) FLeaveTracked = nullptr;
  if (control && under != FLeaveTracked) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = under;
    FLeaveTracked = TrackMouseEvent(&track) ? under : nullptr;
  }
  if (control == FMouseControl) return;
  if (FMouseControl) FMouseControl->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(FMouseControl));
  FMouseControl = control;
  if (control) control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
  ShowToolTip(control && control->ShowHint() ? control : nullptr);
  SetHint(LongHint(HintOf(control)));
}

// The tool tip knows the hinted control's window and its children (the edit
// inside a combo box), since it checks which window the mouse rests on.
void TApplication::ShowToolTip(TControl* control) {
  if (!FToolTip) return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND;
  for (HWND wnd : FToolWnds) {
    tool.hwnd = wnd;
    tool.uId = reinterpret_cast<UINT_PTR>(wnd);
    SendMessageW(FToolTip.Get(), TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&tool));
  }
  FToolWnds.clear();
  std::wstring text = control ? ShortHint(HintOf(control)) : std::wstring();
  if (text.empty()) return;
  HWND owner = WindowOf(control);
  FToolWnds.push_back(owner);
  for (HWND child = GetWindow(owner, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) FToolWnds.push_back(child);
  tool.lpszText = text.data();
  for (HWND wnd : FToolWnds) {
    tool.hwnd = wnd;
    tool.uId = reinterpret_cast<UINT_PTR>(wnd);
    SendMessageW(FToolTip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}
