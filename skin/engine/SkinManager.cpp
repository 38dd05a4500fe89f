#include "skin/engine/SkinManager.h"

#include <algorithm>
#include <cwctype>

#include "skin/engine/SkinBoundary.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/SkinTrace.h"
#include "skin/engine/WinSkinForm.h"
#include "skin/engine/WinSkinPopMenu.h"
#include "skin/engine/WindowFacts.h"
#include "skin/model/SkinData.h"
#include "toolkit/core/ScopeGuard.h"
#include "toolkit/forms/Form.h"

uint32_t WindowsVersion = 0;
bool IsNtPlatform = GetVersion() < 0x80000000u;
TWinSkinPopMenu* LastUnclaimedPopup = nullptr;

namespace {

constexpr unsigned kTimerInterval = 250;
// A hook answer other than 0 to HCBT_CREATEWND refuses the window.
constexpr LRESULT kRefuseCreation = 10;
constexpr intptr_t kNoSkinTag = 99;

TSkinManage* gManager = nullptr;

std::wstring Lowered(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return wchar_t(std::towlower(c)); });
  return text;
}

bool IsMdiChildWindow(HWND wnd) {
  return (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD) && Lowered(ClassNameOf(GetParent(wnd))) == L"mdiclient";
}

HWND OwnerWindowOf(const TSkinData& data) {
  auto* owner = dynamic_cast<TWinControl*>(data.Owner());
  return owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
}

TForm* FormOfWindow(HWND wnd) {
  for (int i = 0; i < Screen.FormCount(); ++i) {
    TForm* form = Screen.Forms(i);
    if (form->HandleAllocated() && form->Handle() == wnd) return form;
  }
  return nullptr;
}

std::vector<TForm*> ScreenForms() {
  std::vector<TForm*> forms;
  for (int i = 0; i < Screen.FormCount(); ++i) forms.push_back(Screen.Forms(i));
  return forms;
}

}  // namespace

TSkinManage* SkinManager() { return gManager; }

TSkinManage& CreateSkinManager() {
  if (!gManager) gManager = new TSkinManage;
  return *gManager;
}

void FreeSkinManager() { delete std::exchange(gManager, nullptr); }

TSkinManage::TSkinManage() : Timer(std::make_unique<TTimer>(nullptr)) {
  Timer->SetEnabled(false);
  Timer->SetInterval(kTimerInterval);
  Timer->SetOnTimer(TNotifyEvent::Of<&TSkinManage::RunPendingAction>(*this));
}

// Form skinners still listed belong to windows that outlived the skin (a
// dialog box left open): they let go of them before they go.
TSkinManage::~TSkinManage() {
  ActivationCount = 4;
  Timer.reset();
  FHookHandle.Reset();
  LastUnclaimedPopup = nullptr;
  FPopupMenus.clear();
  while (!FSkinnedForms.empty()) DropForm(FSkinnedForms.size() - 1);
  FSkinDatas.clear();
}

void TSkinManage::RegisterSkinData(TSkinData& data) {
  if (std::find(FSkinDatas.begin(), FSkinDatas.end(), &data) == FSkinDatas.end()) FSkinDatas.push_back(&data);
}

void TSkinManage::UnregisterSkinData(TSkinData& data) {
  FSkinDatas.erase(std::remove(FSkinDatas.begin(), FSkinDatas.end(), &data), FSkinDatas.end());
  if (PendingSkinData == &data) PendingSkinData = nullptr;
  for (size_t i = FSkinnedForms.size(); i-- > 0;)
    if (FSkinnedForms[i]->SkinData == &data) DropForm(i);
  for (size_t i = FPopupMenus.size(); i-- > 0;)
    if (FPopupMenus[i]->SkinData == &data) DetachPopupMenu(FPopupMenus[i]->Window);
}

// One hook however many main-form components load: a second would see every
// window twice.
void TSkinManage::InstallHook() {
  WindowsVersion = GetVersion();
  SkinTrace(L"Windows Version %x", {WindowsVersion});
  SkinTrace(L"Windows Version %d %d", {LOBYTE(LOWORD(WindowsVersion)), HIBYTE(LOWORD(WindowsVersion))});
  if (FHookHandle) return;
  FHookHandle.Reset(SetWindowsHookExW(WH_CBT, &TSkinManage::HookProc, nullptr, GetCurrentThreadId()));
  SkinTrace(L"ThreadId %x", {GetCurrentThreadId()});
  SkinTrace(L"HookCallback %x", {reinterpret_cast<uintptr_t>(FHookHandle.Get())});
}

// A window the engine could not take over keeps the platform's look; the
// next hook hears of every window all the same.
LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wparam, LPARAM lparam) {
  bool refused = false;
  if (code >= 0 && gManager)
    SkinBoundary(L"window hook", [&] { refused = gManager->HookCallback(code, wparam, lparam); });
  if (refused) return kRefuseCreation;
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

bool TSkinManage::HookCallback(int code, WPARAM wparam, LPARAM lparam) {
  auto wnd = reinterpret_cast<HWND>(wparam);
  switch (code) {
    case HCBT_CREATEWND: {
      const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lparam)->lpcs;
      std::wstring className = ClassNameOf(wnd);
      if (className == L"ScrollBar" && (create.style & SBS_SIZEGRIP) && FindSkinnedForm(create.hwndParent))
        return true;
      if (className == L"#32768") AttachPopupMenu(wnd);
      break;
    }
    case HCBT_DESTROYWND:
      DetachPopupMenu(wnd);
      break;
    case HCBT_ACTIVATE:
      if (ActivationCount == 0) ActivationCount = 1;
      SkinWindow(wnd);
      break;
    default:
      break;
  }
  return false;
}

bool TSkinManage::SkinWindow(HWND wnd) {
  if (!Enabled || AnswersSkinned(wnd)) return false;
  PurgeDestroyed();
  if (FindSkinnedForm(wnd)) return false;
  TForm* form = FormOfWindow(wnd);
  if (!Forcing && IsMdiChildWindow(wnd)) return false;
  RECT rect{};
  GetWindowRect(wnd, &rect);
  if (int64_t(rect.right - rect.left) * (rect.bottom - rect.top) == 0) return false;
  if (form && form->Tag() == kNoSkinTag) return false;
  std::wstring className = ClassNameOf(wnd);
  if (className == L"TApplication" || !ShouldSkinClass(className)) return false;
  TSkinData* data = ChooseSkinData(wnd);
  if (!data || data->SkinNotReady) return false;

  // An attach that fails has given the window back as it was: it keeps the
  // platform's look, and a later activation may try again.
  auto* skinner = new TWinSkinForm(form);
  skinner->Handle = wnd;
  try {
    if (form)
      skinner->AttachToForm(*data, *form);
    else
      skinner->AttachToWindow(*data);
  } catch (...) {
    TraceSkinError(L"attaching a form skinner");
    skinner->Free();
    return false;
  }
  FSkinnedForms.push_back(skinner);
  PostMessageW(wnd, SKM_SKINATTACHED, 0, 1000);
  return true;
}

// A child made in a skinned MDI frame is skinned as it is made, which the
// hook's activation never does for MDI children.
bool TSkinManage::SkinMdiChild(HWND wnd) {
  const bool forcing = std::exchange(Forcing, true);
  auto restore = ScopeExit([&] { Forcing = forcing; });
  return SkinWindow(wnd);
}

bool TSkinManage::SkinForm(TForm& form) {
  if (!form.Visible() || !form.HandleAllocated()) return false;
  HWND wnd = form.Handle();
  if ((GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD) && form.FormStyle() != fsMDIChild) return false;
  return SkinWindow(wnd);
}

TWinSkinForm* TSkinManage::FindSkinnedForm(HWND wnd) const {
  if (!wnd) return nullptr;
  auto found = std::find_if(FSkinnedForms.begin(), FSkinnedForms.end(),
                            [wnd](TWinSkinForm* form) { return form->Handle == wnd; });
  return found == FSkinnedForms.end() ? nullptr : *found;
}

void TSkinManage::ForgetSkinnedForm(TWinSkinForm* form) {
  auto found = std::find(FSkinnedForms.begin(), FSkinnedForms.end(), form);
  if (found != FSkinnedForms.end()) FSkinnedForms.erase(found);
}

// A child whose window is gone waits in the list for the next purge; it is not counted.
int TSkinManage::CountMdiChildren() const {
  return static_cast<int>(std::count_if(FSkinnedForms.begin(), FSkinnedForms.end(), [](TWinSkinForm* form) {
    return form->FormKind == fkMdiChild && form->LifeState != flDestroyed;
  }));
}

void TSkinManage::SetMdiMax(bool value) {
  if (value == MdiMaximised) return;
  MdiMaximised = value;
  for (TWinSkinForm* form : std::vector<TWinSkinForm*>(FSkinnedForms)) {
    if (form->FormKind != fkMdiChild || form->LifeState == flDestroyed) continue;
    if (value) {
      if (form->RegionOwned) SetWindowRgn(form->Handle, nullptr, TRUE);
      form->RegionOwned = false;
      form->SetCaptionStyles(true);
    } else if (form->WindowState == swMinimised) {
      form->SetCaptionStyles(true);
    } else {
      form->WindowState = swNormal;
      form->BuildRegion();
      form->SetCaptionStyles(false);
      if (!form->RegionOwned) form->RefreshFrame();
    }
  }
  SkinTrace(value ? L"***** SetMdiMax True" : L"***** SetMdiMax Flase");
}

void TSkinManage::RequestAction(TSkinAction action, unsigned interval) {
  PendingAction = action;
  Timer->SetInterval(interval);
  if (ActivationCount != 0) return Timer->SetEnabled(true);
  // No window has been activated yet: the hook skins them as they are.
  if (action == saActivate) Enabled = true;
  if (action == saDeactivate) Enabled = false;
}

void TSkinManage::ReloadAllForms() {
  for (TWinSkinForm* form : FSkinnedForms)
    if (form->LifeState != flDestroyed) form->FreeSysButtons();
}

void TSkinManage::RunPendingAction(TComponent*) {
  if (!PendingSkinData) return;
  Timer->SetEnabled(false);
  TSkinData& data = *std::exchange(PendingSkinData, nullptr);
  SkinBoundary(L"skin manager's timer", [&] {
    switch (PendingAction) {
      case saActivate: Activate(data); break;
      case saDeactivate: Deactivate(data); break;
      case saReload: ReloadOrSwitch(data); break;
      case saNone: break;
    }
    data.DoSkinChanged();
  });
}

void TSkinManage::Activate(TSkinData& data) {
  Enabled = true;
  Forcing = true;
  auto done = ScopeExit([this] { Forcing = false; });
  std::vector<TForm*> forms = ScreenForms();
  if (data.SkinFormtype() == sfOnlyThisForm) {
    for (auto form = forms.rbegin(); form != forms.rend(); ++form)
      if (*form == data.Owner()) {
        SkinForm(**form);
        break;
      }
    return;
  }
  PurgeDestroyed();
  for (auto form = forms.rbegin(); form != forms.rend(); ++form) SkinForm(**form);
}

void TSkinManage::Deactivate(TSkinData& data) {
  Enabled = false;
  PurgeDestroyed();
  for (size_t i = FSkinnedForms.size(); i-- > 0;) {
    if (data.SkinFormtype() != sfOnlyThisForm) {
      DropForm(i);
    } else if (FSkinnedForms[i]->SkinData == &data) {
      DropForm(i);
      break;
    }
  }
}

// A skin that did not load is not used: its windows go back to the
// platform's look. A good one after it skins them again.
void TSkinManage::ReloadOrSwitch(TSkinData& data) {
  if (data.SkinNotReady) return Deactivate(data);
  if (!Enabled && data.Active()) return Activate(data);
  Reload(data);
}

void TSkinManage::Reload(TSkinData& data) {
  PurgeDestroyed();
  std::vector<TWinSkinForm*> forms;
  for (TWinSkinForm* form : FSkinnedForms)
    if (form->SkinData == &data) forms.push_back(form);
  if (data.SkinFormtype() == sfOnlyThisForm && forms.size() > 1) forms.resize(1);
  for (TWinSkinForm* form : forms) {
    form->FreeSysButtons();
    form->LoadFrameMetrics();
  }
  for (TWinSkinForm* form : forms) form->ReloadSkin();
}

void TSkinManage::PurgeDestroyed() {
  for (size_t i = FSkinnedForms.size(); i-- > 0;)
    if (FSkinnedForms[i]->LifeState == flDestroyed) DropForm(i);
}

void TSkinManage::DropForm(size_t index) {
  TWinSkinForm* form = FSkinnedForms[index];
  FSkinnedForms.erase(FSkinnedForms.begin() + static_cast<std::ptrdiff_t>(index));
  if (form->LifeState != flDestroyed) form->Detach();
  form->Free();
}

TSkinData* TSkinManage::ChooseSkinData(HWND wnd) const {
  TSkinData* chosen = nullptr;
  for (TSkinData* data : FSkinDatas)
    if (data->SkinFormtype() == sfOnlyThisForm && OwnerWindowOf(*data) == wnd) chosen = data;
  if (chosen) return chosen;
  std::wstring className = Lowered(ClassNameOf(wnd));
  if (className == L"tmessageform" || className == L"#32770") {
    for (TSkinData* data : FSkinDatas)
      if (data->SkinFormtype() == sfDialog) chosen = data;
    if (chosen) return chosen;
  }
  for (TSkinData* data : FSkinDatas)
    if (data->SkinFormtype() == sfMainform) chosen = data;
  if (chosen) return chosen;
  return FSkinDatas.empty() ? nullptr : FSkinDatas.front();
}

bool TSkinManage::ShouldSkinClass(const std::wstring& className) const {
  auto decider = std::find_if(FSkinDatas.begin(), FSkinDatas.end(),
                              [](TSkinData* data) { return data->SkinFormtype() == sfMainform; });
  bool doSkin = true;
  if (decider != FSkinDatas.end()) (*decider)->FilterSkinClass(className, doSkin);
  return doSkin;
}

void TSkinManage::AttachPopupMenu(HWND wnd) {
  if (!Enabled || AnswersSkinned(wnd)) return;
  if (std::any_of(FPopupMenus.begin(), FPopupMenus.end(), [wnd](auto& popup) { return popup->Window == wnd; }))
    return;
  TSkinData* data = ChooseSkinData(wnd);
  if (!data || data->SkinNotReady || !HasSkinControl(data->SkinControls(), xcMainMenu)) return;
  auto popup = std::make_unique<TWinSkinPopMenu>();
  popup->Attach(wnd, *data, nullptr);
  FPopupMenus.push_back(std::move(popup));
}

void TSkinManage::DetachPopupMenu(HWND wnd) {
  auto found = std::find_if(FPopupMenus.begin(), FPopupMenus.end(),
                            [wnd](auto& popup) { return popup->Window == wnd; });
  if (found == FPopupMenus.end()) return;
  if (LastUnclaimedPopup == found->get()) LastUnclaimedPopup = nullptr;
  (*found)->Detach();
  FPopupMenus.erase(found);
  if (FPopupMenus.empty()) MenuDropDown = false;
}

TBitmap* TSkinManage::FindPopupBackground(HMENU menu) const {
  if (!menu) return nullptr;
  auto found = std::find_if(FPopupMenus.begin(), FPopupMenus.end(),
                            [menu](auto& popup) { return popup->MenuHandle == menu; });
  return found == FPopupMenus.end() ? nullptr : &(*found)->Background;
}
