#include "toolkit/forms/Menus.h"

#include <algorithm>
#include <utility>

#include "toolkit/core/CommandPool.h"
#include "toolkit/core/MenuMnemonic.h"
#include "toolkit/core/ScopeGuard.h"
#include "toolkit/forms/Form.h"
#include "toolkit/graphics/ImgList.h"
#include "toolkit/core/DisplayScale.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/DisplayDpi.h"
#include "toolkit/platform/HiddenWindow.h"

namespace {

constexpr int kGlyphSize = 16;
constexpr int kCaptionGap = 3;     // between the glyph box and the caption
constexpr int kShortCutGap = 16;   // between the caption and the shortcut
constexpr int kRightMargin = 11;   // where the platform puts its sub-menu arrow
constexpr int kSeparatorHeight = 8;

// Commands are unique among the living items of the process, so any window
// can find its item. They stay below the system commands (SC_SIZE, 0xF000,
// and up), which a WM_COMMAND from the system menu carries too, and so below
// the MDI window list's (0xFF00 and up). Never destroyed: items that the
// application object frees at the program's end still use it.
TCommandPool& Commands() {
  static auto& pool = *new TCommandPool(100, kLastMenuCommand);
  return pool;
}

// The pop-up menu whose menu loop runs; only one loop can run at a time.
TPopupMenu* gTracking = nullptr;

// Receives the owner-draw messages of the pop-up menus: a pop-up may belong
// to no window at all.
LRESULT CALLBACK PopupWindowProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  try {
    if (msg == WM_MEASUREITEM && gTracking && gTracking->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)))
      return TRUE;
    if (msg == WM_DRAWITEM && gTracking && gTracking->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lparam)))
      return TRUE;
    LRESULT chosen = 0;
    if (msg == WM_MENUCHAR && gTracking &&
        gTracking->MenuChar(reinterpret_cast<HMENU>(lparam), static_cast<wchar_t>(LOWORD(wparam)), chosen))
      return chosen;
  } catch (...) {
    Application.HandleCurrentException(msg);
    return TRUE;
  }
  return DefWindowProcW(wnd, msg, wparam, lparam);
}

HWND PopupWindow() {
  static TWindowHandle window =
      CreateHiddenWindow({L"TPopupWindow", PopupWindowProc, nullptr, WS_POPUP, WS_EX_TOOLWINDOW});
  return window.Get();
}

// Each setter changes the menu only on a real change, so an action brought up
// to date while its menu is drawn does not touch the menu for nothing.
template <typename Value>
bool Assign(Value& field, Value value) {
  if (field == value) return false;
  field = value;
  return true;
}

void UpdateActions(TMenuItem& item) {
  item.UpdateAction();
  for (int i = 0; i < item.Count(); ++i) UpdateActions(*item.Items(i));
}

// A canvas for measuring and drawing items, with the screen's menu font.
void UseMenuFont(TCanvas& canvas) { canvas.Font().AssignHandle(Screen.MenuFont()); }

// Where the entry of command is in menu, or -1. Entries of others may stand
// between ours (the MDI client's for a maximised child), so it is looked up.
int EntryPosition(HMENU menu, UINT command) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) && info.wID == command) return i;
  return -1;
}

bool InMenuLoop() {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
         (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE));
}

}  // namespace

void DisposeMenu(TMenuHandle menu) {
  static auto& waiting = *new std::vector<TMenuHandle>;  // never destroyed, as Commands
  if (menu) {
    while (GetMenuItemCount(menu.Get()) > 0) RemoveMenu(menu.Get(), 0, MF_BYPOSITION);
    waiting.push_back(std::move(menu));
  }
  if (!InMenuLoop()) waiting.clear();
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(Commands().Take()) {}

// The entry leaves the parent's menu; sub-items stay, without a parent.
void TMenuItem::Destroying() {
  TComponent::Destroying();
  if (FParent) FParent->Remove(this);
  for (TMenuItem* item : FItems) item->FParent = nullptr;
  FItems.clear();
  DisposeMenu(std::move(FHandle));
  Commands().Give(static_cast<uint16_t>(FCommand));
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FAction) FAction = nullptr;
}

void TMenuItem::SetCaption(std::wstring caption) { if (Assign(FCaption, std::move(caption))) Changed(); }
void TMenuItem::SetEnabled(bool enabled) { if (Assign(FEnabled, enabled)) Changed(); }
void TMenuItem::SetChecked(bool checked) { if (Assign(FChecked, checked)) Changed(); }
void TMenuItem::SetDefault(bool value) { if (Assign(FDefault, value)) Changed(); }
void TMenuItem::SetImageIndex(int index) { if (Assign(FImageIndex, index)) Changed(); }
void TMenuItem::SetShortCut(TShortCut shortCut) { if (Assign(FShortCut, shortCut)) Changed(); }

void TMenuItem::SetVisible(bool visible) {
  if (visible == FVisible) return;
  if (!visible) RemoveEntry();
  FVisible = visible;
  if (visible) InsertEntry();
  TellMenu();
}

void TMenuItem::SetAction(TBasicAction* action) {
  if (FAction) FAction->RemoveFreeNotification(this);
  FAction = action;
  if (FAction) FAction->FreeNotification(this);
}

TMenu* TMenuItem::GetParentMenu() {
  TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return dynamic_cast<TMenu*>(root);
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->FParent) item->FParent->Remove(item);
  item->FParent = this;
  FItems.push_back(item);
  if (FHandle)
    item->InsertEntry();
  else
    SubItemsChanged();
  TellMenu();
}

void TMenuItem::Remove(TMenuItem* item) {
  item->RemoveEntry();
  FItems.erase(std::find(FItems.begin(), FItems.end(), item));
  item->FParent = nullptr;
  SubItemsChanged();
  TellMenu();
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
}

TMenuItem* TMenuItem::Find(UINT command) {
  if (command == FCommand) return this;
  for (TMenuItem* item : FItems)
    if (TMenuItem* found = item->Find(command)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindByHandle(HMENU menu) {
  if (!menu) return nullptr;
  if (menu == FHandle.Get()) return this;
  for (TMenuItem* item : FItems)
    if (TMenuItem* found = item->FindByHandle(menu)) return found;
  return nullptr;
}

HMENU TMenuItem::ParentHandle() { return FParent && FVisible ? FParent->FHandle.Get() : nullptr; }

void TMenuItem::BuildHandles() {
  if (FHandle || FItems.empty()) return;
  FHandle.Reset(CreatePopupMenu());
  for (TMenuItem* item : FItems)
    if (item->FVisible) item->InsertAt(FHandle.Get(), GetMenuItemCount(FHandle.Get()));
}

// Owner-drawn items and separators carry no text: captions live here.
MENUITEMINFOW TMenuItem::EntryInfo(std::wstring& text) {
  TMenu* root = GetParentMenu();
  bool ownerDraw = root && root->OwnerDraw();
  std::wstring keys = ShortCutToText(FShortCut);
  text = ownerDraw || IsSeparator() ? std::wstring() : keys.empty() ? FCaption : FCaption + L"\t" + keys;
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
  info.fType = (ownerDraw ? MFT_OWNERDRAW : MFT_STRING) | (IsSeparator() ? MFT_SEPARATOR : 0u);
  info.fState = (FEnabled ? MFS_ENABLED : MFS_GRAYED) | (FChecked ? MFS_CHECKED : 0u) | (FDefault ? MFS_DEFAULT : 0u);
  info.wID = FCommand;
  info.hSubMenu = FHandle.Get();
  info.dwTypeData = text.data();
  return info;
}

// After the visible sibling before it, else before the one after it, else last.
void TMenuItem::InsertEntry() {
  HMENU menu = ParentHandle();
  if (!menu) return;
  auto self = std::find(FParent->FItems.begin(), FParent->FItems.end(), this);
  int position = -1;
  for (auto before = self; position < 0 && before != FParent->FItems.begin();)
    if ((*--before)->FVisible) position = EntryPosition(menu, (*before)->FCommand) + 1;
  for (auto after = self + 1; position < 0 && after != FParent->FItems.end(); ++after)
    if ((*after)->FVisible) position = EntryPosition(menu, (*after)->FCommand);
  InsertAt(menu, position < 0 ? GetMenuItemCount(menu) : position);
}

void TMenuItem::InsertAt(HMENU menu, int position) {
  BuildHandles();
  std::wstring text;
  MENUITEMINFOW info = EntryInfo(text);
  InsertMenuItemW(menu, static_cast<UINT>(position), TRUE, &info);
}

// The drop-down stays with the item: RemoveMenu does not destroy it.
void TMenuItem::RemoveEntry() {
  HMENU menu = ParentHandle();
  int position = menu ? EntryPosition(menu, FCommand) : -1;
  if (position >= 0) RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

void TMenuItem::UpdateEntry() {
  HMENU menu = ParentHandle();
  int position = menu ? EntryPosition(menu, FCommand) : -1;
  if (position < 0) return;
  std::wstring text;
  MENUITEMINFOW info = EntryInfo(text);
  SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
}

void TMenuItem::UpdateEntries() {
  UpdateEntry();
  for (TMenuItem* item : FItems) item->UpdateEntries();
}

// The first sub-item gives a shown item its drop-down; the last one takes it away.
void TMenuItem::SubItemsChanged() {
  if (!FParent) return;  // a root keeps its menu
  if (FItems.empty() && FHandle) {
    TMenuHandle dropDown(FHandle.Detach());
    UpdateEntry();
    DisposeMenu(std::move(dropDown));
  } else if (!FItems.empty() && !FHandle && ParentHandle()) {
    BuildHandles();
    UpdateEntry();
  }
}

void TMenuItem::Changed() {
  UpdateEntry();
  TellMenu();
}

void TMenuItem::TellMenu() {
  if (TMenu* root = GetParentMenu(); root && root->FOnChange) root->FOnChange(this);
}

void TMenuItem::Click() {
  if (FEnabled && FOnClick) FOnClick(this);
}

// Menus are drawn in the platform's menu font, so at the system's DPI.
int TMenuItem::GlyphWidth() {
  TMenu* root = GetParentMenu();
  const int dpi = SystemDpi(), glyph = TDpiScale(dpi).Scale(kGlyphSize);
  int width = root && root->Images() ? root->Images()->WidthAt(dpi) : glyph;
  return FChecked ? std::max(width, glyph) : width;
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
  const TDpiScale scale(SystemDpi());
  if (IsSeparator()) {
    width = 0;
    height = scale.Scale(kSeparatorHeight);
  } else {
    // An empty caption or a lone "&" still takes a line's height. The
    // default item is drawn in bold, so it is measured so.
    std::wstring caption = FCaption.empty() || FCaption == L"&" ? FCaption + L" " : FCaption;
    RECT text{};
    const unsigned style = canvas.Font().Style();
    if (FDefault) canvas.Font().SetStyle(style | fsBold);
    canvas.DrawText(caption, text, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP);
    canvas.Font().SetStyle(style);
    RECT keys{};
    std::wstring keyText = ShortCutToText(FShortCut);
    if (!keyText.empty()) canvas.DrawText(keyText, keys, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    int glyph = GlyphWidth();
    width = scale.Scale(1) + glyph + scale.Scale(kCaptionGap) + text.right +
            (keyText.empty() ? 0 : scale.Scale(kShortCutGap) + keys.right) + scale.Scale(kRightMargin);
    height = std::max<int>(text.bottom + scale.Scale(4), glyph + scale.Scale(2));
  }
  if (FOnMeasureItem) FOnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected) {
  UpdateAction();
  if (FOnDrawItem) return FOnDrawItem(this, canvas, rect, selected);
  canvas.Brush().SetColor(SystemColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  canvas.FillRect(rect);
  const TDpiScale scale(SystemDpi());
  if (IsSeparator()) {
    RECT line{rect.left, rect.top + scale.Scale(4), rect.right, rect.bottom};
    DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  int glyph = GlyphWidth();
  int top = rect.top + (rect.bottom - rect.top - glyph) / 2;
  const int left = rect.left + scale.Scale(1);
  RECT box{left, top, left + glyph, top + glyph};
  DrawGlyph(canvas, box);
  canvas.Font().SetColor(SystemColor(!FEnabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  if (FDefault) canvas.Font().SetStyle(canvas.Font().Style() | fsBold);
  RECT text{box.right + scale.Scale(kCaptionGap), rect.top, rect.right - scale.Scale(1), rect.bottom};
  canvas.DrawText(FCaption, text, DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER);
  RECT keys{text.left, rect.top, rect.right - scale.Scale(kRightMargin), rect.bottom};
  canvas.DrawText(ShortCutToText(FShortCut), keys, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
}

// An image, pressed in when checked; else the platform's check mark.
void TMenuItem::DrawGlyph(TCanvas& canvas, const RECT& box) {
  TMenu* root = GetParentMenu();
  TImageList* images = root ? root->Images() : nullptr;
  if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
    if (FChecked) {
      RECT edge = box;
      canvas.Brush().SetColor(SystemColor(COLOR_BTNHIGHLIGHT));
      canvas.FillRect(edge);
      DrawEdge(canvas.Handle(), &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    images->Draw(canvas, box.left, box.top, FImageIndex, FEnabled, SystemDpi());
  } else if (FChecked) {
    RECT mark = box;
    DrawFrameControl(canvas.Handle(), &mark, DFC_MENU, DFCS_MENUCHECK);
  }
}

bool TMenuItem::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Caption") return SetCaption(PropString(value)), true;
  if (name == L"Enabled") return SetEnabled(PropBool(value)), true;
  if (name == L"Visible") return SetVisible(PropBool(value)), true;
  if (name == L"Checked") return SetChecked(PropBool(value)), true;
  if (name == L"Default") return SetDefault(PropBool(value)), true;
  if (name == L"ImageIndex") return SetImageIndex(int(PropInt(value))), true;
  if (name == L"ShortCut") return SetShortCut(TShortCut(PropInt(value))), true;
  return TComponent::SetProperty(name, value);
}

std::optional<TPropValue> TMenuItem::GetProperty(const std::wstring& name) const {
  if (name == L"Caption") return FCaption;
  if (name == L"Enabled") return BoolProp(FEnabled);
  if (name == L"Checked") return BoolProp(FChecked);
  return TComponent::GetProperty(name);
}

bool TMenuItem::SetEvent(const std::wstring& name, const std::any& handler) {
  if (name == L"OnClick") return BindEvent(handler, FOnClick);
  if (name == L"OnDrawItem") return BindEvent(handler, FOnDrawItem);
  if (name == L"OnMeasureItem") return BindEvent(handler, FOnMeasureItem);
  return TComponent::SetEvent(name, handler);
}

HMENU TMenu::MenuHandle() {
  if (!FHandle) {
    FHandle.Reset(CreateHandle());
    for (TMenuItem* item : FItems)
      if (item->Visible()) item->InsertAt(FHandle.Get(), GetMenuItemCount(FHandle.Get()));
  }
  return FHandle.Get();
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
  if (!Assign(FOwnerDraw, ownerDraw)) return;
  for (TMenuItem* item : FItems) item->UpdateEntries();
  if (FOnChange) FOnChange(this);
}

void TMenu::SetImages(TImageList* images) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (FImages) FImages->FreeNotification(this);
  if (FOnChange) FOnChange(this);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TMenuItem::Notification(component, operation);
  if (operation == opRemove && component == FImages) FImages = nullptr;
}

void TMenu::AppendEntries(HMENU menu) {
  MenuHandle();
  for (TMenuItem* item : FItems) {
    if (!item->Visible()) continue;
    std::wstring text;
    MENUITEMINFOW info = item->EntryInfo(text);
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
  }
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = Find(command);
  if (!item || item == this) return false;
  item->Click();
  return true;
}

bool TMenu::MenuChar(HMENU menu, wchar_t character, LRESULT& result) {
  TMenuItem* parent = menu && menu == FHandle.Get() ? this : FindByHandle(menu);
  if (!parent) return false;
  // The platform menu holds the visible items, in order.
  std::vector<std::wstring> captions;
  int selected = -1;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible()) continue;
    if (GetMenuState(menu, static_cast<UINT>(captions.size()), MF_BYPOSITION) & MF_HILITE)
      selected = static_cast<int>(captions.size());
    captions.push_back(item->IsSeparator() ? std::wstring() : item->Caption());
  }
  TMenuCharChoice choice = MenuCharChoice(captions, character, selected);
  if (choice.Position < 0) return false;
  result = MAKELRESULT(choice.Position, choice.Execute ? MNC_EXECUTE : MNC_SELECT);
  return true;
}

bool TMenu::MeasureItem(MEASUREITEMSTRUCT& measure) {
  TMenuItem* item = measure.CtlType == ODT_MENU ? Find(measure.itemID) : nullptr;
  if (!item || item == this) return false;
  TWindowDC dc(nullptr);
  TCanvas canvas(dc.Get());
  UseMenuFont(canvas);
  int width = 0;
  int height = 0;
  item->MeasureItem(canvas, width, height);
  measure.itemWidth = static_cast<UINT>(std::max(width, 0));
  measure.itemHeight = static_cast<UINT>(std::max(height, 0));
  return true;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
  TMenuItem* item = draw.CtlType == ODT_MENU ? Find(draw.itemID) : nullptr;
  if (!item || item == this) return false;
  TSaveDC saved(draw.hDC);
  TCanvas canvas(draw.hDC);
  UseMenuFont(canvas);
  item->DrawItem(canvas, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
  return true;
}

bool TMenu::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"OwnerDraw") return SetOwnerDraw(PropBool(value)), true;
  return TMenuItem::SetProperty(name, value);
}

void TPopupMenu::Popup(int x, int y) {
  UpdateActions(*this);
  HMENU menu = MenuHandle();
  UINT command;
  {
    TPopupMenu* previous = std::exchange(gTracking, this);
    auto restore = ScopeExit([&] { gTracking = previous; });
    command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, PopupWindow(), nullptr));
  }
  DisposeMenu({});  // menus given up while the loop ran
  if (command) DispatchCommand(command);
}
