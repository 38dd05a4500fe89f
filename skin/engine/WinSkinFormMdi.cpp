// MDI: the frame's client window is watched so that the skinned menu bar
// follows the active child's menu and shows the child's minimise, restore
// and close buttons while it is maximised; new children get skinned.
#include "skin/engine/SkinBoundary.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/SkinMessages.h"
#include "skin/engine/WinSkinForm.h"
#include "skin/engine/WinSkinMenu.h"
#include "skin/model/SkinData.h"

namespace {

// The client gives the frame's menu a maximised child's system menu (as the
// child's icon, drawn into a bitmap) and its three buttons, and takes them
// off again only from the menu it finds on the frame, where the skinned bar
// leaves none: the skinned bar takes them off as the client would.
void RemoveMaximisedChildItems(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  if (count <= 0) return;
  const UINT last = GetMenuItemID(menu, count - 1);
  if (last != SC_CLOSE && last != SC_RESTORE) return;
  MENUITEMINFOW icon{};
  icon.cbSize = sizeof(icon);
  icon.fMask = MIIM_FTYPE | MIIM_BITMAP | MIIM_SUBMENU;
  if (GetMenuItemInfoW(menu, 0, TRUE, &icon) && (icon.fType & MFT_BITMAP) && icon.hSubMenu) {
    RemoveMenu(menu, 0, MF_BYPOSITION);  // the pop-up is the child's own system menu
    if (GetObjectType(icon.hbmpItem) == OBJ_BITMAP) DeleteObject(icon.hbmpItem);
  }
  for (UINT command : {SC_MINIMIZE, SC_RESTORE, SC_CLOSE}) DeleteMenu(menu, command, MF_BYCOMMAND);
}

}  // namespace

void TWinSkinForm::SubclassMdiClient() {
  if (MdiClient) FMdiSubclass.Install(MdiClient, TWndMethod::Of<&TWinSkinForm::MdiClientProc>(*this));
}

void TWinSkinForm::RestoreMdiClient() { FMdiSubclass.Remove(); }

void TWinSkinForm::MdiClientProc(TMessage& message) {
  const TPassOn client = TPassOn::Procedure(FMdiSubclass.PreviousProc(), FMdiSubclass.Window());
  SkinMessageBoundary(L"MDI client", message, client, [&] { MdiClientMessage(message, client); });
}

// What the client does with a message may make or destroy windows and run
// the application's code: this skinner's own steps follow only if it is
// still there.
void TWinSkinForm::MdiClientMessage(TMessage& message, const TPassOn& client) {
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
      HMENU shown = GetMenu(Handle);
      RemoveMaximisedChildItems(shown);
      auto menu = reinterpret_cast<HMENU>(message.WParam);
      if (menu && SkinMenu && (menu != SkinMenu->MenuHandle || CreatedMdiChild)) SkinMenu->LoadFromMenu(shown);
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
