// TSkinManage: the one object of the process that decides which top-level
// windows get a skin, and with which skin data component. Through a
// computer-based-training hook on the GUI thread it sees windows made,
// destroyed and activated: an activated window gets a form skinner, a menu
// window a popup-menu skinner, and a size grip inside a skinned form is
// refused. Switching skinning on and off and reloading the skin are done on
// a 250 ms timer, away from the messages that asked for them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/platform/OwnedHandle.h"

class TBitmap;
class TForm;
class TSkinData;
class TWinSkinForm;
class TWinSkinPopMenu;

enum TSkinAction : int32_t { saNone = 0, saActivate = 1, saDeactivate = 2, saReload = 3 };

class TSkinManage {
 public:
  TSkinManage();
  ~TSkinManage();
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  void RegisterSkinData(TSkinData& data);
  // Also lets go of every window skinned with it, so none keeps a pointer to it.
  void UnregisterSkinData(TSkinData& data);
  void InstallHook();

  // True when a form skinner was attached.
  bool SkinWindow(HWND wnd);
  // An MDI child made inside a skinned frame.
  bool SkinMdiChild(HWND wnd);
  bool SkinForm(TForm& form);
  TWinSkinForm* FindSkinnedForm(HWND wnd) const;
  // Called by a form skinner that goes: the list forgets it without freeing it.
  void ForgetSkinnedForm(TWinSkinForm* form);
  int CountMdiChildren() const;
  void SetMdiMax(bool value);
  void RequestAction(TSkinAction action, unsigned interval);
  void ReloadAllForms();
  void AttachPopupMenu(HWND wnd);
  void DetachPopupMenu(HWND wnd);
  // The background of the popup-menu window showing menu, or none.
  TBitmap* FindPopupBackground(HMENU menu) const;
  void RunPendingAction(TComponent* sender);
  TSkinData* ChooseSkinData(HWND wnd) const;
  bool ShouldSkinClass(const std::wstring& className) const;

  const std::vector<TWinSkinForm*>& SkinnedForms() const { return FSkinnedForms; }
  const std::vector<std::unique_ptr<TWinSkinPopMenu>>& PopupMenus() const { return FPopupMenus; }
  const std::vector<TSkinData*>& SkinDatas() const { return FSkinDatas; }
  bool HookInstalled() const { return static_cast<bool>(FHookHandle); }

  std::unique_ptr<TTimer> Timer;
  bool Enabled = false;
  // Only while RunPendingAction skins every form: MDI children are skinned then too.
  bool Forcing = false;
  int32_t ActivationCount = 0;
  bool MenuDropDown = false;
  HWND MdiClientWindow = nullptr;
  bool MdiMaximised = false;
  TSkinAction PendingAction = saNone;
  TSkinData* PendingSkinData = nullptr;

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wparam, LPARAM lparam);
  // True refuses the window being made.
  bool HookCallback(int code, WPARAM wparam, LPARAM lparam);
  // Frees the form skinners whose windows are gone.
  void PurgeDestroyed();
  // Detaches, unlists and frees the form skinner at index.
  void DropForm(size_t index);
  void Activate(TSkinData& data);
  void Deactivate(TSkinData& data);
  void Reload(TSkinData& data);
  void ReloadOrSwitch(TSkinData& data);

  THookHandle FHookHandle;
  std::vector<TWinSkinForm*> FSkinnedForms;  // owned
  std::vector<std::unique_ptr<TWinSkinPopMenu>> FPopupMenus;
  std::vector<TSkinData*> FSkinDatas;  // not owned
};

// The manager of the process, or none before the first skin data component
// is loaded and after the engine stopped.
TSkinManage* SkinManager();
TSkinManage& CreateSkinManager();
void FreeSkinManager();

// Beside the manager: GetVersion's value, stored when the hook is installed
// (0x80000000 and above marks the non-NT family), and whether the platform is NT.
extern uint32_t WindowsVersion;
extern bool IsNtPlatform;
// The popup-menu skinner that last rendered its background before it knew its menu.
extern TWinSkinPopMenu* LastUnclaimedPopup;
