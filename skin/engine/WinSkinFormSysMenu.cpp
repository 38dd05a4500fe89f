// The skinned system menu: restore, maximise, minimise and close, drawn by
// the skin, opened by the title's icon button, a right click on the title or
// Alt+Space.
// A second request within the double-click time closes the window instead.
#include "skin/engine/WinSkinForm.h"
#include "skin/model/SkinData.h"
#include "toolkit/core/ShortCut.h"

void TWinSkinForm::BuildSystemPopup() {
  SystemPopup = std::make_unique<TPopupMenu>(nullptr);
  SystemPopup->SetOwnerDraw(true);
  SystemPopup->SetImages(&SkinData->MenuGlyphs);
  for (const TSystemMenuItem& entry : SystemMenuItems(BorderIcons)) {
    auto* item = new TMenuItem(SystemPopup.get());
    item->SetCaption(entry.Caption);
    item->SetTag(entry.Tag);
    item->SetImageIndex(entry.Tag);
    if (!entry.ShortCut.empty()) item->SetShortCut(TextToShortCut(entry.ShortCut));
    item->SetOnClick(TNotifyEvent::Of<&TWinSkinForm::SystemPopupClick>(*this));
    item->SetOnDrawItem(TMenuDrawItemEvent::Of<&TWinSkinForm::DrawSkinnedItem>(*this));
    item->SetOnMeasureItem(TMenuMeasureItemEvent::Of<&TWinSkinForm::MeasureSkinnedItem>(*this));
    SystemPopup->Add(item);
  }
}

void TWinSkinForm::SystemPopupClick(TComponent* sender) {
  std::optional<TFrameCommand> command = CommandOfSystemMenuTag(static_cast<int>(sender->Tag()));
  if (!command) return;
  if (*command == fcClose) return PostClose();
  RunStateCommand(*command);
}

// Restore, ToggleMaximise and ToggleMinimise: the state is recorded at once
// and the command posted.
void TWinSkinForm::RunStateCommand(TFrameCommand command) {
  TStateCommand next = StateCommand(command, WindowState);
  WindowState = next.State;
  PostMessageW(Handle, WM_SYSCOMMAND, next.SysCommand, 0);
  if (command == fcToggleMaximise && next.State == swMaximised) HotObject = nullptr;
}

bool TWinSkinForm::SkinsSystemMenu() const {
  return SystemPopup && HasSkinControl(SkinData->SkinControls(), xcSystemMenu) && FormKind != fkMdiChild;
}

// A second click within the double-click time closes the window; a key asks
// for the menu only.
void TWinSkinForm::ShowSystemMenu(int x, int y, bool fromKeyboard) {
  if (SystemPopup)
    for (int i = 0; i < SystemPopup->Count(); ++i) {
      TMenuItem* item = SystemPopup->Items(i);
      if (auto enabled = SystemMenuItemEnabled(static_cast<int>(item->Tag()), WindowState)) item->SetEnabled(*enabled);
    }
  const uint32_t now = GetTickCount();
  if (!fromKeyboard && IsSecondSystemMenuClick(now, LastSysMenuTick, DoubleClickTime)) return PostClose();
  LastSysMenuTick = fromKeyboard ? 0 : now;
  if (SkinsSystemMenu())
    SystemPopup->Popup(x, y);
  else
    TrackPopupMenu(SystemMenu, TPM_RIGHTBUTTON, x, y, 0, Handle, nullptr);
}
