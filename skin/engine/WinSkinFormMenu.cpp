// Menu items of a skinned form: the drop-downs of its menu bar and of its
// system menu, and its own popup menus, measured and drawn by the skin.
#include "skin/engine/MenuItemLayout.h"
#include "skin/engine/MenuItemPainter.h"
#include "skin/engine/SkinBoundary.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/WinSkinForm.h"
#include "skin/engine/WinSkinPopMenu.h"
#include "skin/model/SkinData.h"
#include "toolkit/core/ScopeGuard.h"
#include "toolkit/graphics/ImgList.h"

namespace {

bool HasImageList(TMenuItem& item) {
  TMenu* menu = item.GetParentMenu();
  return menu && menu->Images();
}

template <typename Visit>
void ForEachItem(TMenuItem& item, Visit visit) {
  for (int i = 0; i < item.Count(); ++i) {
    visit(*item.Items(i));
    ForEachItem(*item.Items(i), visit);
  }
}

}  // namespace

TMenuItem* TWinSkinForm::ToolkitMenuItem(UINT command) const {
  TMainMenu* menu = Form ? Form->Menu() : nullptr;
  TMenuItem* item = menu ? menu->Find(command) : nullptr;
  return item == menu ? nullptr : item;
}

void TWinSkinForm::WMMeasureItem(TMessage& message) {
  auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
  if (measure.CtlType != ODT_MENU || !FHadMenu) return Default(message);
  TWindowDC dc(Handle);
  TCanvas canvas(dc.Get());
  UseScreenMenuFont(canvas);
  const std::optional<int> edge = MenuItemLeftWidth(*SkinData);
  TSkinSize size;
  if (TMenuItem* item = ToolkitMenuItem(measure.itemID)) {
    int width = 0, height = 0;
    {
      auto restore = ScopeExit([item, own = item->OnMeasureItem()] { item->SetOnMeasureItem(own); });
      item->SetOnMeasureItem({});
      item->MeasureItem(canvas, width, height);
    }
    size = MeasureToolkitMenuItem({width, height}, edge, HasImageList(*item), TDpiScale(MenuDpi()));
  } else {
    std::wstring text = MenuEntryText(TrackedMenu, measure.itemID);
    size = MeasurePlatformMenuItem(canvas.TextWidth(text), static_cast<int>(measure.itemHeight), !text.empty(), edge,
                                   IsNtPlatform, TDpiScale(MenuDpi()));
  }
  measure.itemWidth = static_cast<UINT>(std::max(size.Width, 0));
  measure.itemHeight = static_cast<UINT>(std::max(size.Height, 0));
  message.Result = 1;
}

// An item without a toolkit item is drawn from the platform menu's own text
// and state.
void TWinSkinForm::WMDrawItem(TMessage& message) {
  auto& draw = *reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
  const bool nt4 = IsNtPlatform && LOBYTE(LOWORD(WindowsVersion)) == 4;
  if (draw.CtlType != ODT_MENU || !FHadMenu || (FormKind == fkMdiFrame && nt4)) return Default(message);
  auto menu = reinterpret_cast<HMENU>(draw.hwndItem);
  if (LastUnclaimedPopup) {
    LastUnclaimedPopup->MenuHandle = menu;
    LastUnclaimedPopup = nullptr;
  }
  TSaveDC saved(draw.hDC);
  TCanvas canvas(draw.hDC);
  UseScreenMenuFont(canvas);
  TItemPaint how{(draw.itemState & ODS_SELECTED) != 0, true};
  if (TMenuItem* item = ToolkitMenuItem(draw.itemID)) {
    PaintMenuItem(*SkinData, LookOf(*item), canvas, draw.rcItem, how);
  } else {
    how.SeparatorImage = false;
    PaintMenuItem(*SkinData, LookOfEntry(menu, draw.itemID), canvas, draw.rcItem, how);
  }
  message.Result = 1;
}

// The toolkit's item painting events: what fails leaves the item as it was.
void TWinSkinForm::DrawSkinnedItem(TComponent* sender, TCanvas& canvas, const RECT& rect, bool selected) {
  SkinBoundary(L"menu item painting", [&] {
    PaintMenuItem(*SkinData, LookOf(*static_cast<TMenuItem*>(sender)), canvas, rect, {selected, true});
  });
}

void TWinSkinForm::MeasureSkinnedItem(TComponent* sender, TCanvas&, int& width, int& height) {
  SkinBoundary(L"menu item measuring", [&] {
    auto& item = *static_cast<TMenuItem*>(sender);
    TSkinSize size =
        MeasureSkinnedMenuItem({width, height}, MenuItemLeftWidth(*SkinData), HasImageList(item), TDpiScale(MenuDpi()));
    width = size.Width;
    height = size.Height;
  });
}

// The form's popup menus that do not opt out by their Tag are drawn by the skin.
void TWinSkinForm::SkinPopupMenus() {
  if (!Form || !HasSkinControl(SkinData->SkinControls(), xcPopupMenu)) return;
  FPopupsSkinned = true;
  const auto draw = TMenuDrawItemEvent::Of<&TWinSkinForm::DrawSkinnedItem>(*this);
  const auto measure = TMenuMeasureItemEvent::Of<&TWinSkinForm::MeasureSkinnedItem>(*this);
  for (int i = 0; i < Form->ComponentCount(); ++i) {
    auto* popup = dynamic_cast<TPopupMenu*>(Form->Components(i));
    if (!popup || popup->Tag() % 100 == SkinData->DisableTag()) continue;
    popup->SetOwnerDraw(true);
    ForEachItem(*popup, [&](TMenuItem& item) {
      if (item.OnDrawItem()) return;
      item.SetOnDrawItem(draw);
      item.SetOnMeasureItem(measure);
    });
  }
}

// The measuring handlers go too: they belong to this skinner, which may go
// before the menus do.
void TWinSkinForm::RestorePopupMenus() {
  if (!Form || !std::exchange(FPopupsSkinned, false)) return;
  const auto draw = TMenuDrawItemEvent::Of<&TWinSkinForm::DrawSkinnedItem>(*this);
  const auto measure = TMenuMeasureItemEvent::Of<&TWinSkinForm::MeasureSkinnedItem>(*this);
  for (int i = 0; i < Form->ComponentCount(); ++i) {
    auto* popup = dynamic_cast<TPopupMenu*>(Form->Components(i));
    if (!popup) continue;
    popup->SetOwnerDraw(false);
    ForEachItem(*popup, [&](TMenuItem& item) {
      if (item.OnDrawItem() == draw) item.SetOnDrawItem({});
      if (item.OnMeasureItem() == measure) item.SetOnMeasureItem({});
    });
  }
}
