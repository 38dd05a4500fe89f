// The form skinner's window procedure. A message goes through up to three
// stages: what every skinned window handles (stage 1), what a fully skinned
// top-level window or MDI child handles (stage 2), and the frame's handlers,
// which run once the frame is presented and not while the window is
// minimised or is an MDI child outside the normal state (stage 3). Each
// message is handled once and passed on to the previous procedure at most once.
#include <windowsx.h>

#include "skin/controls/ControlDispatch.h"
#include "skin/engine/FrameHitTest.h"
#include "skin/engine/SkinBoundary.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/WinSkinForm.h"
#include "skin/engine/WinSkinMenu.h"
#include "skin/engine/WinSysButton.h"
#include "toolkit/platform/DisplayDpi.h"
#include "skin/engine/WindowFacts.h"
#include "skin/model/SkinData.h"

namespace {

POINT MessagePoint(const TMessage& message) { return {GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)}; }

bool IsFrameMouseMessage(UINT msg) {
  switch (msg) {
    case WM_NCMOUSEMOVE: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN:
      return true;
    default:
      return false;
  }
}

}  // namespace

TPassOn TWinSkinForm::Previous() const { return TPassOn::Procedure(FSubclass.PreviousProc(), FSubclass.Window()); }

void TWinSkinForm::Default(TMessage& message) { Previous()(message); }

void TWinSkinForm::WndProc(TMessage& message) {
  SkinMessageBoundary(L"form skinner", message, Previous(), [&] { HandleMessage(message); });
}

void TWinSkinForm::HandleMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: return WMEraseBkgnd(message);
    case WM_STYLECHANGED:
      if (static_cast<int>(message.WParam) == GWL_STYLE)
        Style = reinterpret_cast<const STYLESTRUCT*>(message.LParam)->styleNew;
      return Default(message);
    case WM_NCDESTROY: return WMNcDestroy(message);
    case WM_CTLCOLORBTN:
      Default(message);
      if (!Form) SetBkMode(reinterpret_cast<HDC>(message.WParam), TRANSPARENT);
      return;
    case WM_CTLCOLORSTATIC:
      Default(message);
      if (!Form) SetBkMode(reinterpret_cast<HDC>(message.WParam), TRANSPARENT);
      if (SkinData->BackgroundBrush) message.Result = reinterpret_cast<LRESULT>(SkinData->BackgroundBrush.Get());
      return;
    case SKM_QUERYSKINNED: message.Result = 1; return;
    case SKM_FOLLOWCONTROLS: return FollowControls();
    // A dialog's control that draws through its parent (a tool bar) asks its
    // skinner.
    case WM_NOTIFY:
      if (!Form && ReflectNotification(message)) return;
      break;
    // A window made in a dialog after it was skinned (a property sheet's page
    // as it is first selected, a file dialog's view of another folder) gets
    // its skinner as the dialog's first windows did.
    case WM_PARENTNOTIFY:
      Default(message);
      if (!Form && LOWORD(message.WParam) == WM_CREATE)
        DispatchWindow(reinterpret_cast<HWND>(message.LParam), {*SkinData, &FControlLink, this, nullptr});
      return;
    default: break;
  }
  if (!FullSkin) return Default(message);
  FrameMessage(message);
}

// Stage 2.
void TWinSkinForm::FrameMessage(TMessage& message) {
  if (!HandlesFrameMessages(Style, FormKind)) return Default(message);
  switch (message.Msg) {
    case WM_ACTIVATE: Active = LOWORD(message.WParam) != WA_INACTIVE; break;
    case WM_NCACTIVATE: Active = message.WParam != 0; break;
    case WM_GETMINMAXINFO: return WMGetMinMaxInfo(message);
    case WM_WINDOWPOSCHANGED: ReadWindowState(); return Default(message);
    case WM_COMMAND: return WMCommand(message);
    case WM_SYSCOMMAND: return WMSysCommand(message);
    case SKM_SKINATTACHED: return FirstPresentation();
    case CM_MENUCHANGED: return CMMenuChanged(message);
    case WM_MENUSELECT:
      if (MenuTracking && SkinMenu) SkinMenu->MenuSelect(message.WParam, message.LParam);
      break;
    // The skin draws the drop-downs' items, so the platform finds no
    // accelerator in them: the toolkit's menu, else the items' texts, say.
    case WM_MENUCHAR:
      Default(message);
      if (HIWORD(message.Result) == MNC_IGNORE && SkinMenu) SkinMenu->MenuChar(message);
      return;
    case SKM_BARKEYBOARD:
      if (SkinMenu) SkinMenu->KeyboardMode(static_cast<int>(message.WParam));
      return;
    default: break;
  }
  if (RunsFrameHandlers(FormKind, WindowState, LifeState)) {
    if (FrameHandler(message)) return;
  } else if (message.Msg == WM_SIZE) {
    return WMSize(message);
  }
  Default(message);
}

// Stage 3: true when the message was handled (its default processing included).
bool TWinSkinForm::FrameHandler(TMessage& message) {
  if (IsFrameMouseMessage(message.Msg)) return NcMouse(message), true;
  switch (message.Msg) {
    case WM_SIZE: WMSize(message); return true;
    case WM_DRAWITEM: WMDrawItem(message); return true;
    case WM_MEASUREITEM: WMMeasureItem(message); return true;
    case WM_NCCALCSIZE: WMNcCalcSize(message); return true;
    case WM_NCHITTEST: WMNcHitTest(message); return true;
    case WM_NCPAINT: WMNcPaint(message); return true;
    case WM_NCACTIVATE: WMNcActivate(message); return true;
    case WM_DPICHANGED: WMDpiChanged(message); return true;
    case SKM_REPAINTFRAME: PaintFrame(nullptr); return true;
    default: return false;
  }
}

// The window is shown at another DPI: the frame takes the skin at that scale
// first, so that the window below, taking its new place, finds the client
// area the new frame leaves; the region follows the new size.
void TWinSkinForm::WMDpiChanged(TMessage& message) {
  Dpi = LOWORD(message.WParam);
  if (SkinMenu) MenuHeight = SystemMetricForDpi(SM_CYMENU, Dpi);
  LoadFrameMetrics();
  TitleCache.Clear();
  Pieces.Clear();
  FTitleKey = {};
  RefreshFrame();
  Default(message);
  BuildRegion();
  RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// A toolkit form's own WindowProc, which sees what the toolkit handles before
// the window procedure does.
void TWinSkinForm::FormWindowProc(TMessage& message) {
  SkinMessageBoundary(L"form skinner", message, TPassOn::Toolkit(SavedFormWindowProc),
                      [&] { HandleFormMessage(message); });
}

void TWinSkinForm::HandleFormMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SETTEXT: {
      TAliveGuard alive(FLiveness);
      ToForm(message);
      if (!alive) return;
      CaptionText = CaptionTextOf(Handle);
      return RefreshFrame();
    }
    case SKM_SKINCHANGED: return ReloadSkin();
    case CM_DIALOGCHAR:
      if (SkinMenu && SkinMenu->DialogChar(message)) return;
      break;
    default: break;
  }
  ToForm(message);
}

void TWinSkinForm::ToForm(TMessage& message) { TPassOn::Toolkit(SavedFormWindowProc)(message); }

// A bare window's client area takes the skin's background.
void TWinSkinForm::WMEraseBkgnd(TMessage& message) {
  Default(message);
  if (Form || !SkinData->BackgroundBrush) return;
  RECT client;
  GetClientRect(Handle, &client);
  FillRect(reinterpret_cast<HDC>(message.WParam), &client, SkinData->BackgroundBrush.Get());
  message.Result = 1;
}

void TWinSkinForm::WMNcDestroy(TMessage& message) {
  LifeState = flDestroying;
  DetachOnDestroy();
  Default(message);
  LifeState = flDestroyed;
}

// The client rectangle lies inside the skin's frame and below its menu bar,
// worked out from the proposed window rectangle (the first rectangle before
// default processing).
void TWinSkinForm::WMNcCalcSize(TMessage& message) {
  RECT proposed{};
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
  if (message.WParam) proposed = params->rgrc[0];
  Default(message);
  if (!message.WParam) {
    message.Result = 0;
    return;
  }
  if (KeepsPlatformFrame(FormKind, WindowState, FrameKind)) {
    params->rgrc[1] = params->rgrc[0];
  } else {
    TSkinRect client = NcClientRect(proposed.left, proposed.top, proposed.right - proposed.left,
                                    proposed.bottom - proposed.top, FrameSizes(), MenuHeight);
    params->rgrc[0] = params->rgrc[1] = RECT{client.Left, client.Top, client.Right, client.Bottom};
  }
  message.Result = WVR_VALIDRECTS;
}

TSkinPoint TWinSkinForm::ScreenToWindow(POINT screen) const {
  ScreenToClient(Handle, &screen);
  return ClientToWindow({screen.x, screen.y}, WindowState, FrameSizes(), MenuHeight);
}

void TWinSkinForm::WMNcHitTest(TMessage& message) {
  Default(message);
  if (message.Result != HTNOWHERE) return;
  message.Result = FrameHitTest(HTNOWHERE, ScreenToWindow(MessagePoint(message)).Y, FrameTop);
}

void TWinSkinForm::WMSize(TMessage& message) {
  Default(message);
  if (auto state = WindowStateOfSizeType(static_cast<unsigned>(message.WParam))) WindowState = *state;
  if (WindowState == swMinimised) return;
  TSkinManage* manager = SkinManager();
  if (FormKind == fkMdiChild && ((manager && manager->MdiMaximised) || WindowState != swNormal)) return;
  if (LifeState == flSkinned || LifeState == flReloading) BuildRegion();
}

void TWinSkinForm::WMGetMinMaxInfo(TMessage& message) {
  Default(message);
  ReadWindowState();
  TSkinManage* manager = SkinManager();
  TMinMaxCaption caption = CaptionOnMinMaxInfo(FormKind, WindowState, manager && manager->MdiMaximised);
  if (caption.LeaveMdiMaximised && manager) manager->SetMdiMax(false);
  SetCaptionStyles(caption.On);
  auto& info = *reinterpret_cast<MINMAXINFO*>(message.LParam);
  info.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  if (PaintsFrame(LifeState, FrameKind, FormKind, WindowState)) {
    const TSkinSize least = LeastTrackSize();
    info.ptMinTrackSize = {least.Width, least.Height};
  }
}

// The frame shows the window's activation; the platform draws nothing.
void TWinSkinForm::WMNcActivate(TMessage& message) {
  Active = message.WParam != 0;
  PollTimer->SetEnabled(Active);
  if (!Active && MouseControl) TellMouseLeft();
  if (!(FormKind == fkMdiChild && WindowState != swNormal)) PaintFrame(nullptr);
  message.Result = 1;
}

// A choice from the platform's system menu arrives as a command.
void TWinSkinForm::WMCommand(TMessage& message) {
  UINT id = LOWORD(message.WParam);
  if (!IsRepostedSystemCommand(id)) return Default(message);
  PostMessageW(Handle, WM_SYSCOMMAND, id, 0);
}

// Alt alone and F10 start the bar's keyboard mode, Alt+Space opens the
// skinned system menu: the platform's own menu mode never starts.
void TWinSkinForm::WMSysCommand(TMessage& message) {
  TKeyMenuRequest request{MenuTracking, message.WParam, message.LParam, GetCapture() != nullptr, false};
  if (IsKeyboardSystemMenu(request) && SkinsSystemMenu()) {
    RECT window{};
    GetWindowRect(Handle, &window);
    ShowSystemMenu(window.left + FrameLeft, window.top + FrameTop, true);
    return;
  }
  if (SwallowsKeyMenu(request) && message.LParam == 0 && SkinMenu) {
    const int first = SkinMenu->FirstEnabledEntry();
    if (first >= 0) PostMessageW(Handle, SKM_BARKEYBOARD, static_cast<WPARAM>(first), 0);
  }
  if (SkinMenu && message.LParam != 0)
    request.EnabledEntryAccelerator = SkinMenu->FindAccelEntry(static_cast<wchar_t>(message.LParam)) != nullptr;
  if (SwallowsKeyMenu(request)) {
    message.Result = 1;
    return;
  }
  if (auto state = StateOfSysCommand(message.WParam)) {
    WindowState = state->State;
    if (FormKind == fkMdiChild && state->MdiChildCaption) SetCaptionStyles(*state->MdiChildCaption);
  }
  Default(message);
}

// The toolkit changed the menu. Its items change in place, so a menu no
// longer on the window (the bar took it off) is read again from the handle
// the bar keeps, and the bar shows the change at once.
void TWinSkinForm::CMMenuChanged(TMessage& message) {
  SkinData->NcPaintEnabled = false;
  Default(message);
  SkinData->NcPaintEnabled = true;
  if (!SkinMenu || !SkinData->MenuUpdate()) return;
  if (!GetMenu(Handle) && !SkinMenu->MenuHandle) return;
  SkinMenu->LoadFromMenuHandle();
  PaintFrame(nullptr);
}

TNCObject* TWinSkinForm::ObjectAt(TSkinPoint point) {
  for (auto& button : SysButtons)
    if (button->Visible && button->Element.Action >= 0 && Contains(button->Bounds, point)) return button.get();
  return SkinMenu ? SkinMenu->HitEntry(point) : nullptr;
}

void TWinSkinForm::NcMouse(TMessage& message) {
  const POINT screen = MessagePoint(message);
  TNCObject* object = ObjectAt(ScreenToWindow(screen));
  auto* button = dynamic_cast<TWinSysButton*>(object);
  switch (message.Msg) {
    case WM_NCMOUSEMOVE:
      if (!Active) return;
      if (object) return object->Enter();
      if (HotObject) HotObject->Leave();
      return Default(message);
    case WM_NCLBUTTONDOWN:
      if (object) return PressObject(*object);
      message.WParam = static_cast<WPARAM>(ButtonDownHitCode(static_cast<int>(message.WParam), WindowState, Active));
      return Default(message);
    case WM_NCLBUTTONUP:
      if (!object) return Default(message);
      if (button && object->IsHot()) {
        object->Release();
        DoAction(*button, screen.x, screen.y);
      }
      return;
    // The second press of a double click on a title button or a bar entry
    // is a press, as on the platform's frame: an entry clicked again soon
    // after its drop-down closed opens it again rather than maximising.
    case WM_NCLBUTTONDBLCLK:
      if (object) return PressObject(*object);
      if (WindowState != swNormal)
        RunStateCommand(fcRestore);
      else if (BorderIcons & kBorderMaximiseBox)
        RunStateCommand(fcToggleMaximise);
      return;
    default:  // WM_NCRBUTTONDOWN
      if (!RightClickOpensSystemMenu(static_cast<int>(message.WParam), FormKind)) return Default(message);
      ShowSystemMenu(screen.x, screen.y);
      return;
  }
}

void TWinSkinForm::PressObject(TNCObject& object) {
  if (!Active) SetForegroundWindow(Handle);
  object.Press();
  if (auto* entry = dynamic_cast<TMenuBtn*>(&object)) SkinMenu->OpenEntry(entry);
}

// Every 250 ms while the window is active: a hot object the mouse has left
// (for a window the mouse left without a message) goes back to normal.
void TWinSkinForm::PollMouse(TComponent*) {
  SkinBoundary(L"form skinner's mouse poll", [&] {
    if (!MenuTracking) PollHotObjects();
  });
}

void TWinSkinForm::PollHotObjects() {
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;
  if (HotObject && !Contains(HotObject->Bounds, ScreenToWindow(cursor))) HotObject->Leave();
  if (Form || !MouseControl) return;
  RECT control;
  GetWindowRect(MouseControl->ControlWindow(), &control);
  if (!PtInRect(&control, cursor)) TellMouseLeft();
}

void TWinSkinForm::TellMouseLeft() {
  TSkinControlLink* control = std::exchange(MouseControl, nullptr);
  control->MouseLeft();
}

void TWinSkinForm::PostClose() {
  PollTimer->SetEnabled(false);
  PostMessageW(Handle, WM_CLOSE, 0, 0);
}

void TWinSkinForm::DoAction(TWinSysButton& button, int x, int y) {
  const int action = button.Element.Action;
  switch (TFrameCommand command = CommandOfAction(action)) {
    case fcClose: return PostClose();
    case fcSystemMenu: return ShowSystemMenu(x + 1, y + 1);
    case fcMdiMinimise: return SendToActiveChild(SC_MINIMIZE);
    case fcMdiRestore: return SendToActiveChild(SC_RESTORE);
    case fcMdiClose: return SendToActiveChild(SC_CLOSE);
    case fcPostAction: PostMessageW(Handle, SKM_QUERYSKINNED, static_cast<WPARAM>(action), 0); return;
    default: return RunStateCommand(command);
  }
}
