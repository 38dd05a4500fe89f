// The form skinner's life: taking a window over, the frame's metrics and
// icon, the first presentation that fits the window to the skin's frame, a
// skin reload, and giving the window back (fully, or shortly when it is
// being destroyed).
#include <algorithm>

#include "skin/controls/ControlDispatch.h"
#include "skin/engine/CaptionLayout.h"
#include "skin/controls/SkinControl.h"
#include "skin/engine/FrameFitting.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/SysButtonLayout.h"
#include "skin/engine/TitleIcon.h"
#include "skin/engine/WinSkinForm.h"
#include "skin/engine/WinSkinMenu.h"
#include "skin/engine/WinSysButton.h"
#include "skin/engine/WindowFacts.h"
#include "skin/model/SkinData.h"
#include "toolkit/platform/DisplayDpi.h"

namespace {

constexpr unsigned kPollInterval = 250;

TBorderImage BorderImage(const TDataSkinObject& border) {
  return {border.Image.Width(), border.Image.Height(), border.FrameCount};
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
  return children;
}

}  // namespace

TWinSkinForm::TWinSkinForm(TComponent* owner) : TComponent(owner), DoubleClickTime(GetDoubleClickTime()) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  CaptionFont.Reset(CreateFontIndirectW(&metrics.lfCaptionFont));
}

TWinSkinForm::~TWinSkinForm() { BeforeDestruction(); }

// A skinner freed while it still holds its window (its skin data went, the
// engine stopped) leaves the window's procedures as it found them, and the
// form's popup menus keep no handler of it.
void TWinSkinForm::Destroying() {
  if (FSubclass.Installed()) {
    RestoreFormProc();
    FSubclass.Remove();
  }
  RestoreMdiClient();
  FreeControlSkinners();
  RestorePopupMenus();
  FreeSysButtons();
  SkinMenu.reset();
  SystemPopup.reset();
  PollTimer.reset();
  if (TSkinManage* manager = SkinManager()) manager->ForgetSkinnedForm(this);
  TComponent::Destroying();
}

void TWinSkinForm::AttachToForm(TSkinData& data, TForm& form) {
  Form = &form;
  SavedColor = form.Color();
  FSavedAutoScroll = form.AutoScroll();
  try {
    form.SetAutoScroll(false);
    const bool fullSkin = HasSkinControl(data.SkinControls(), xcMainMenu);
    if (fullSkin) {
      SavedFormWindowProc = form.WindowProc();
      form.SetWindowProc(TWndMethod::Of<&TWinSkinForm::FormWindowProc>(*this));
    }
    AttachToWindow(data);
    form.SetColor(data.Colours.ButtonFace);
    if (fullSkin) SkinPopupMenus();
  } catch (...) {
    UndoAttach();
    throw;
  }
}

// Whatever fails on the way gives the window back as it was.
void TWinSkinForm::AttachToWindow(TSkinData& data) {
  if (FSubclass.Installed()) return;
  FStyleAtAttach = static_cast<uint32_t>(GetWindowLongPtrW(Handle, GWL_STYLE));
  try {
    TakeWindow(data);
  } catch (...) {
    UndoAttach();
    throw;
  }
}

void TWinSkinForm::TakeWindow(TSkinData& data) {
  SkinData = &data;
  PollTimer = std::make_unique<TTimer>(nullptr);
  PollTimer->SetEnabled(false);
  PollTimer->SetInterval(kPollInterval);
  PollTimer->SetOnTimer(TNotifyEvent::Of<&TWinSkinForm::PollMouse>(*this));
  FullSkin = HasSkinControl(data.SkinControls(), xcMainMenu);

  Style = static_cast<uint32_t>(GetWindowLongPtrW(Handle, GWL_STYLE));
  auto exStyle = static_cast<uint32_t>(GetWindowLongPtrW(Handle, GWL_EXSTYLE));
  RightToLeft = IsRightToLeft(exStyle);
  SystemMenu = GetSystemMenu(Handle, FALSE);
  CaptureIcon();

  CaptionText = CaptionTextOf(Handle);
  WindowClass = ClassNameOf(Handle);
  OwnerWindow = GetWindow(Handle, GW_OWNER);
  GetClientRect(Handle, &ClientAtAttach);
  RECT window;
  GetWindowRect(Handle, &window);
  PlatformFrame = {0, 0, (window.right - window.left) - ClientAtAttach.right,
                   (window.bottom - window.top) - ClientAtAttach.bottom};

  BorderIcons = BorderIconsOf(Style, SystemMenu != nullptr);
  BuildSystemPopup();
  ReadWindowState();
  FindMdiClient();
  FormKind = FormKindOf(exStyle, MdiClient != nullptr);
  FrameKind = FrameKindOf(Style, exStyle);
  if (FormKind == fkMdiFrame) {
    SavedMenuUpdate = data.MenuUpdate();
    SubclassMdiClient();
  }

  Dpi = WindowDpi(Handle);
  if (FullSkin) {
    // A child window's "menu" is its identifier.
    HMENU menu = GetMenu(Handle);
    MenuHandle = menu && IsMenu(menu) ? menu : nullptr;
    FHadMenu = MenuHandle != nullptr;
    if (MenuHandle && FormKind != fkMdiChild) {
      SkinMenu = std::make_unique<TWinSkinMenu>(*this, data);
      RECT before, after;
      GetClientRect(Handle, &before);
      SkinMenu->LoadFromMenuHandle();
      GetClientRect(Handle, &after);
      FPlatformMenuHeight = after.bottom - before.bottom;
      MenuHeight = SystemMetricForDpi(SM_CYMENU, Dpi);
    }
    TSkinManage* manager = SkinManager();
    if ((FormKind != fkMdiChild || !(manager && manager->MdiMaximised)) && WindowState != swMinimised)
      SetCaptionStyles(false);
    LoadFrameMetrics();
  }

  FSubclass.Install(Handle, TWndMethod::Of<&TWinSkinForm::WndProc>(*this));
  AttachChildControls();
  InvalidateRect(Handle, nullptr, TRUE);
}

// Each step is undone only when it was taken, so this serves an attach that
// failed at any point, and a second call does nothing more. The frame is
// computed again for the style given back.
void TWinSkinForm::UndoAttach() {
  RestoreFormProc();
  FSubclass.Remove();
  FreeControlSkinners();
  RestoreMdiClient();
  const bool restyled = static_cast<uint32_t>(GetWindowLongPtrW(Handle, GWL_STYLE)) != FStyleAtAttach;
  if (restyled) SetWindowLongPtrW(Handle, GWL_STYLE, static_cast<LONG_PTR>(FStyleAtAttach));
  if (SkinMenu) {
    SetMenu(Handle, SkinMenu->MenuHandle);
    SkinMenu.reset();
  } else if (restyled) {
    RefreshFrame();
  }
  if (Form) {
    RestorePopupMenus();
    Form->SetColor(SavedColor);
    Form->SetAutoScroll(FSavedAutoScroll);
  }
  SystemPopup.reset();
  PollTimer.reset();
}

// A toolkit form's components are offered with the form as their parent; a
// bare window's child windows by their class, with skinners this one owns.
void TWinSkinForm::AttachChildControls() {
  const TControlDispatch dispatch{*SkinData, &FControlLink, this, Form};
  if (Form)
    AttachFormControls(*Form, dispatch);
  else
    AttachChildWindows(Handle, dispatch);
}

void TWinSkinForm::LoadFrameMetrics() {
  if (!SkinData || SkinData->SkinNotReady) return;
  FrameSkin = SkinData->FrameSkinAt(Dpi);
  TFrameSizes sizes = FrameSizesOf(BorderImage(*FrameSkin.Left), BorderImage(*FrameSkin.Right),
                                   BorderImage(*FrameSkin.Top), BorderImage(*FrameSkin.Bottom), FrameKind);
  FrameLeft = sizes.Left, FrameTop = sizes.Top, FrameRight = sizes.Right, FrameBottom = sizes.Bottom;
  if (FrameKind == frPlatform) MenuHeight = 0;

  FreeSysButtons();
  for (TDataSkinSysButton* element : FrameSkin.Buttons) {
    SysButtons.push_back(std::make_unique<TWinSysButton>(*this, *element));
    if (!IsIconAction(element->Action)) continue;
    if (element->Image.Empty()) element->Image.Assign(IconBitmap);
    if (SkinData->SharedIcon.Empty()) SkinData->SharedIcon.Assign(IconBitmap);
    element->FrameCount = 1;
  }
  SysButtonCount = static_cast<int32_t>(SysButtons.size());
}

void TWinSkinForm::FreeSysButtons() { SysButtons.clear(); }

// The window's small icon with its own transparency; without one, a
// main-form component's shared icon. A window that was never given an icon
// of its own shows its class's, as the platform's title bar would.
void TWinSkinForm::CaptureIcon() {
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  auto icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_BIG, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(Handle, GCLP_HICONSM));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(Handle, GCLP_HICON));
  if (icon) {
    TIconHandle copy(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    if (!copy) copy.Reset(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, 0)));
    CaptureTitleIcon(IconBitmap, copy ? copy.Get() : icon, cx, cy);
    return;
  }
  TBitmap* shared = &SkinData->SharedIcon;
  if (shared->Empty())
    if (TSkinManage* manager = SkinManager())
      for (TSkinData* data : manager->SkinDatas())
        if (data->SkinFormtype() == sfMainform && !data->SharedIcon.Empty()) shared = &data->SharedIcon;
  IconBitmap.Assign(*shared);
}

void TWinSkinForm::ReadWindowState() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (GetWindowPlacement(Handle, &placement)) WindowState = WindowStateOfShowCommand(placement.showCmd);
}

void TWinSkinForm::FindMdiClient() {
  for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassNameOf(child) != L"MDIClient") continue;
    MdiClient = child;
    if (TSkinManage* manager = SkinManager()) manager->MdiClientWindow = child;
    return;
  }
}

void TWinSkinForm::SetCaptionStyles(bool on) {
  TSkinManage* manager = SkinManager();
  auto current = static_cast<uint32_t>(GetWindowLongPtrW(Handle, GWL_STYLE));
  auto styles = CaptionStyles(on, {current, BorderIcons, FRemovedCaptionStyles}, OwnerWindow != nullptr, FormKind,
                              manager && manager->MdiMaximised, FrameKind);
  if (!styles) return;
  BorderIcons = styles->BorderIcons;
  FRemovedCaptionStyles = styles->Removed;
  if (styles->Style != current) SetWindowLongPtrW(Handle, GWL_STYLE, static_cast<LONG_PTR>(styles->Style));
}

void TWinSkinForm::RefreshFrame() {
  SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// SKM_SKINATTACHED: the window takes the skin's frame around the client area it had.
void TWinSkinForm::FirstPresentation() {
  if (LifeState != flAttached) return;
  TSkinManage* manager = SkinManager();
  if (FormKind == fkMdiChild && manager && manager->MdiMaximised) {
    SetCaptionStyles(true);
    RefreshFrame();
  } else if (WindowState != swMinimised && FrameKind != frPlatform) {
    LifeState = flFitting;
    FitFrame(false);
    LifeState = flSkinned;
    BuildRegion();
  }
  LifeState = flSkinned;
  PollTimer->SetEnabled(true);
}

void TWinSkinForm::FitFrame(bool reload) {
  if (WindowState == swMaximised) return RefreshFrame();
  RECT window, client;
  GetWindowRect(Handle, &window);
  GetClientRect(Handle, &client);
  TFitFrameInput in;
  in.ClientAtAttach = ToSkin(ClientAtAttach);
  in.CurrentClient = ToSkin(client);
  in.Reload = reload;
  in.CaptionRemoved = BorderIcons & kBorderCaptionRemoved;
  in.Window = {window.right - window.left, window.bottom - window.top};
  in.PlatformFrame = {PlatformFrame.right, PlatformFrame.bottom};
  in.PlatformMenuHeight = FPlatformMenuHeight;
  in.Frame = FrameSizes();
  in.MenuHeight = MenuHeight;
  if (!reload && IsMessageBoxClass(WindowClass)) {
    in.WidensForCaption = true;
    CaptionText = CaptionTextOf(Handle);
    in.CaptionWidth = CaptionExtent(TWindowDC(Handle).Get(), MeasuredCaption(CaptionPrefix, CaptionText)).Width;
    in.ButtonsRoom = TitleButtonsRoom(in.Window.Width);
    in.Title = TitleMargins();
  }
  TFitFrame fit = ::FitFrame(in);
  ClientAtAttach = ToRect(fit.ClientAtAttach);
  // Moved as a set, so the children keep their order (their tab order).
  if (fit.ChildShift != 0)
    for (HWND child : ChildWindows(Handle)) {
      RECT bounds;
      GetWindowRect(child, &bounds);
      MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&bounds), 2);
      SetWindowPos(child, nullptr, bounds.left + fit.ChildShift, bounds.top, bounds.right - bounds.left,
                   bounds.bottom - bounds.top, SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOZORDER);
    }
  SetWindowPos(Handle, nullptr, 0, 0, fit.Window.Width, fit.Window.Height,
               SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE);
}

// The skin changed: new colours, new frame, new region. The title cache
// still shows the old skin, so the region is built without it.
void TWinSkinForm::ReloadSkin() {
  if (Form) {
    Form->SetColor(SkinData->Colours.ButtonFace);
    for (int i = 0; i < Form->ComponentCount(); ++i)
      if (auto* owned = dynamic_cast<TForm*>(Form->Components(i))) owned->SetColor(SkinData->Colours.ButtonFace);
  }
  for (TSkinControlLink* skinner : FControlSkinners) skinner->SkinChanged();
  LifeState = flReloading;
  TitleCache.Clear();
  Pieces.Clear();
  FTitleKey = {};
  if (FullSkin) {
    SkinPopupMenus();
    FitFrame(true);
    BuildRegion();
  }
  LifeState = flSkinned;
}

void TWinSkinForm::RestoreFormProc() {
  if (!Form || !SavedFormWindowProc) return;
  if (Form->WindowProc() == TWndMethod::Of<&TWinSkinForm::FormWindowProc>(*this))
    Form->SetWindowProc(SavedFormWindowProc);
  SavedFormWindowProc = {};
}

void TWinSkinForm::Detach() {
  if (!FullSkin) return DetachControlsOnly();
  SystemPopup.reset();
  if (PollTimer) PollTimer->SetEnabled(false);
  if (!FSubclass.Installed()) return;
  RestoreFormProc();
  FSubclass.Remove();
  FreeControlSkinners();
  if (Form) {
    RestorePopupMenus();
    if (LifeState != flDestroying) Form->SetColor(SavedColor);
  }
  SetCaptionStyles(true);
  if (SkinMenu) {
    SetMenu(Handle, SkinMenu->MenuHandle);
    SkinMenu.reset();
  }
  RestoreMdiClient();
  TitleCache.Clear();
  Pieces.Clear();
  FTitleKey = {};
  GiveBackPlatformFrame();
  SetWindowRgn(Handle, nullptr, TRUE);
  RegionOwned = false;
}

// The client area keeps its size under the platform's frame. A window that
// kept the platform's frame all along keeps its size too.
void TWinSkinForm::GiveBackPlatformFrame() {
  RECT rect;
  GetWindowRect(Handle, &rect);
  POINT position{rect.left, rect.top};
  if (FormKind == fkMdiChild) ScreenToClient(GetParent(Handle), &position);
  if (LifeState == flDestroying || (FormKind != fkMdiChild && (Style & WS_CHILD))) return;
  if (KeepsPlatformFrame(FormKind, WindowState, FrameKind)) return;
  TSkinSize size = DetachedWindowSize({rect.right - rect.left, rect.bottom - rect.top},
                                      {PlatformFrame.right, PlatformFrame.bottom}, FrameSizes(), MenuHeight);
  SetWindowPos(Handle, nullptr, position.x, position.y, size.Width, size.Height,
               SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
}

// The form outlives its window: its popup menus keep no handler of this
// skinner, which the manager frees later, and it has its own colour back, so
// that its next window does not take the skin's for the form's. Nothing of
// the frame is drawn any more, so its pictures and font go now.
void TWinSkinForm::DetachOnDestroy() {
  if (Form && !(Form->ComponentState() & csDestroying)) Form->SetColor(SavedColor);
  if (!FullSkin) {
    DetachControlsOnly();
  } else {
    SystemPopup.reset();
    if (PollTimer) PollTimer->SetEnabled(false);
    if (FSubclass.Installed()) {
      RestoreFormProc();
      FSubclass.Remove();
    }
    FreeControlSkinners();
    RestorePopupMenus();
    SkinMenu.reset();
  }
  TitleCache.Clear();
  Pieces.Clear();
  FTitleKey = {};
  FTitleBackground.Clear();
  IconBitmap.Clear();
  CaptionFont.Reset();
}

void TWinSkinForm::DetachControlsOnly() {
  if (PollTimer) PollTimer->SetEnabled(false);
  FreeControlSkinners();
  if (Form) {
    RestorePopupMenus();
    if (LifeState != flDestroying) Form->SetColor(SavedColor);
  }
  FSubclass.Remove();
  RestoreMdiClient();
  if (!Form || LifeState == flDestroying) return;
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(Form->Components(i))) control->Invalidate();
}

bool TWinSkinForm::RegisterControl(TSkinControlLink* skinner) {
  if (std::find(FControlSkinners.begin(), FControlSkinners.end(), skinner) != FControlSkinners.end()) return true;
  FControlSkinners.push_back(skinner);
  return false;
}

void TWinSkinForm::UnregisterControl(TSkinControlLink* skinner) {
  auto found = std::find(FControlSkinners.rbegin(), FControlSkinners.rend(), skinner);
  if (found != FControlSkinners.rend()) FControlSkinners.erase(std::next(found).base());
  if (MouseControl == skinner) MouseControl = nullptr;
}

// Posted once however many windows go together (a container's children).
void TWinSkinForm::ControlWindowGone() {
  if (FFollowPosted || !Handle || !IsWindow(Handle)) return;
  FFollowPosted = PostMessageW(Handle, SKM_FOLLOWCONTROLS, 0, 0) != FALSE;
}

// A control whose window was made again (a property that only a new window
// can take) is offered to the choice of skinners as when the form was
// attached, so it gets the skinner its new window calls for. Its old
// skinner, and those of windows that went for good, are freed first.
void TWinSkinForm::FollowControls() {
  FFollowPosted = false;
  std::vector<TComponent*> remade;
  for (TSkinControlLink* skinner : std::vector<TSkinControlLink*>(FControlSkinners)) {
    if (skinner->LifeState() != flDestroyed) continue;
    auto* owned = dynamic_cast<TSkinControl*>(skinner);
    auto* control = owned ? dynamic_cast<TWinControl*>(owned->SkinnedComponent()) : nullptr;
    UnregisterControl(skinner);
    delete skinner;
    if (control && control->HandleAllocated() && !(control->ComponentState() & csDestroying)) remade.push_back(control);
  }
  if (!Form || remade.empty()) return;
  TAliveGuard alive(FLiveness);
  const TControlDispatch dispatch{*SkinData, &FControlLink, this, Form};
  for (TComponent* control : remade) {
    if (!alive) return;
    DispatchControl(*control, control->Owner() ? *control->Owner() : *Form, dispatch);
  }
}

// Each skinner leaves the list before it is freed, so its own unregistering finds nothing.
void TWinSkinForm::FreeControlSkinners() {
  MouseControl = nullptr;
  while (!FControlSkinners.empty()) {
    TSkinControlLink* skinner = FControlSkinners.front();
    if (skinner->LifeState() != flDestroyed) skinner->RestoreColour();
    FControlSkinners.erase(FControlSkinners.begin());
    delete skinner;
  }
}
