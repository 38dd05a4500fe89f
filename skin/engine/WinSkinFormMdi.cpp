// MDI: the frame's client window is watched so that the skinned menu bar
// follows the active child's menu and shows the child's minimise, restore
// and close buttons while it is maximised; new children get skinned.
#include "skin/engine/SkinBoundary.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/WinSkinForm.h"
#include "skin/engine/WinSkinMenu.h"
#include "skin/model/SkinData.h"

void TWinSkinForm::SubclassMdiClient() {
  if (MdiClient) FMdiSubclass.Install(MdiClient, TWndMethod::Of<&TWinSkinForm::MdiClientProc>(*this));
}

void TWinSkinForm::RestoreMdiClient() { FMdiSubclass.Remove(); }

// Whatever the client passes on may make or destroy windows and run the
// application's code: only then are this skinner's own steps taken, if it
// is still there.
void TWinSkinForm::MdiClientProc(TMessage& message) {
  const TPassOn client = TPassOn::Procedure(FMdiSubclass.PreviousProc(), FMdiSubclass.Window());
  SkinMessageBoundary(L"MDI client", message, client, [&] {
    TAliveGuard alive(FLiveness);
    TSkinManage* manager = SkinManager();
    switch (message.Msg) {
      case WM_NCCALCSIZE:
        if (FullSkin) {
          LONG_PTR style = GetWindowLongPtrW(MdiClient, GWL_STYLE);
          if (style & (WS_HSCROLL | WS_VSCROLL)) SetWindowLongPtrW(MdiClient, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
        }
        break;
      case WM_MDICREATE:
        SkinData->SetMenuUpdate(false);
        client(message);
        if (alive) CreatedMdiChild = reinterpret_cast<HWND>(message.Result);
        return;
      case WM_MDIDESTROY:
        client(message);
        if (!alive || !FullSkin || !manager) return;
        manager->SetMdiMax(IsActiveChildMaximised());
        if (SkinMenu && manager->CountMdiChildren() == 0) {
          SkinData->SetMenuUpdate(SavedMenuUpdate);
          SkinMenu->LoadFromToolkitMenu();
        }
        return;
      case WM_MDITILE:
      case WM_MDICASCADE:
        if (FullSkin && manager && manager->MdiMaximised) manager->SetMdiMax(false);
        break;
      case WM_MDISETMENU: {
        client(message);
        if (!alive || !FullSkin) return;
        auto menu = reinterpret_cast<HMENU>(message.WParam);
        if (menu && SkinMenu && (menu != SkinMenu->MenuHandle || CreatedMdiChild))
          SkinMenu->LoadFromMenu(GetMenu(Handle));
        SetMenu(Handle, nullptr);
        return;
      }
      case WM_MDIREFRESHMENU:
        client(message);
        if (!alive) return;
        if (HWND created = std::exchange(CreatedMdiChild, nullptr)) {
          const HWND frame = Handle;
          if (manager) manager->SkinMdiChild(created);
          PostMessageW(frame, SKM_REPAINTFRAME, 0, 0);
        }
        return;
      default:
        break;
    }
    client(message);
  });
}

bool TWinSkinForm::IsActiveChildMaximised() const {
  if (FormKind != fkMdiFrame || !MdiClient) return false;
  BOOL maximised = FALSE;
  auto active = reinterpret_cast<HWND>(SendMessageW(MdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
  return active && maximised;
}

void TWinSkinForm::SendToActiveChild(unsigned command) {
  if (FormKind != fkMdiFrame || !MdiClient) return;
  if (auto active = reinterpret_cast<HWND>(SendMessageW(MdiClient, WM_MDIGETACTIVE, 0, 0)))
    SendMessageW(active, WM_SYSCOMMAND, command, 0);
  TSkinManage* manager = SkinManager();
  if (manager && manager->MdiMaximised && !IsActiveChildMaximised()) manager->SetMdiMax(false);
}
