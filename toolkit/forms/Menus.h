// Menus: items with captions ("&" marks the access key), check marks,
// images, shortcuts and sub-items, drawn by the platform or by their owners;
// the main menu of a window's menu bar, and pop-up menus.
//
// A menu's platform menu is made once, on first use, and every later change
// of an item is made to it in place: its handle, and the handles of its
// drop-downs, stay what they are for as long as the items live, so whoever
// keeps them (a window, the skin engine's menu bar) keeps valid ones.
#pragma once

#include <windows.h>

#include <vector>

#include "toolkit/core/ShortCut.h"
#include "toolkit/forms/Controls.h"

class TImageList;
class TMenu;

using TMenuDrawItemEvent = TMethod<TComponent*, TCanvas&, const RECT&, bool>;
using TMenuMeasureItemEvent = TMethod<TComponent*, TCanvas&, int&, int&>;

// Something an item stands for, asked to bring itself up to date (its
// OnUpdate handler) before the item is shown.
class TBasicAction : public TComponent {
 public:
  using TComponent::TComponent;
  std::wstring ClassName() const override { return L"TBasicAction"; }
  void SetOnUpdate(const TNotifyEvent& handler) { FOnUpdate = handler; }
  void Update() { if (FOnUpdate) FOnUpdate(this); }

 private:
  TNotifyEvent FOnUpdate;
};

// The highest command an item is given: the system commands start above it.
constexpr UINT kLastMenuCommand = SC_SIZE - 1;

class TMenuItem : public TComponent {
  friend class TMenu;

 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override { BeforeDestruction(); }

  std::wstring ClassName() const override { return L"TMenuItem"; }
  const std::wstring& Caption() const { return FCaption; }
  void SetCaption(std::wstring caption);
  bool IsSeparator() const { return FCaption == L"-"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  bool Checked() const { return FChecked; }
  void SetChecked(bool checked);
  // The bold item a double click chooses.
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  // In the menu's Images; -1 for none.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut shortCut);
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* action);
  void UpdateAction() { if (FAction) FAction->Update(); }

  // The WM_COMMAND identifier: 16 bits, unique among the items that live,
  // given to another item once this one is gone.
  UINT Command() const { return FCommand; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
  TMenuItem* Parent() const { return FParent; }
  // The menu at the root of this item's tree, if any.
  TMenu* GetParentMenu();
  // Makes item the last sub-item (taking it from where it was).
  void Add(TMenuItem* item);
  // The item (this one or below) with this command, if any.
  TMenuItem* Find(UINT command);
  // The item (this one or below) whose sub-menu is menu, if any.
  TMenuItem* FindByHandle(HMENU menu);
  // The drop-down of the sub-items once the menu's platform menu exists; none
  // while the item has no sub-items.
  HMENU Handle() const { return FHandle.Get(); }

  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& handler) { FOnClick = handler; }
  void Click();
  const TMenuDrawItemEvent& OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(const TMenuDrawItemEvent& handler) { FOnDrawItem = handler; }
  const TMenuMeasureItemEvent& OnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(const TMenuMeasureItemEvent& handler) { FOnMeasureItem = handler; }
  // Owner drawing: the item's own size (then OnMeasureItem's say), and its
  // painting (OnDrawItem, or the platform's look when there is none).
  void MeasureItem(TCanvas& canvas, int& width, int& height);
  void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);

  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;
  bool SetEvent(const std::wstring& name, const std::any& handler) override;
  void SetParentComponent(TComponent* parent) override;

 protected:
  void Destroying() override;
  void Notification(TComponent* component, TOperation operation) override;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
  TMenuHandle FHandle;

 private:
  void Remove(TMenuItem* item);
  // The platform menu this item's entry is in, when it is there.
  HMENU ParentHandle();
  // Makes the drop-down of the sub-items (and theirs) when there are any.
  void BuildHandles();
  MENUITEMINFOW EntryInfo(std::wstring& text);
  // Into the parent's menu built before, among the entries of the siblings.
  void InsertEntry();
  void InsertAt(HMENU menu, int position);
  void RemoveEntry();
  void UpdateEntry();
  // This item's entry, and those below it, brought up to the owner-draw setting.
  void UpdateEntries();
  void SubItemsChanged();
  void Changed();
  // The root menu's OnChange, with this item as the one changed.
  void TellMenu();
  int GlyphWidth();
  void DrawGlyph(TCanvas& canvas, const RECT& box);

  std::wstring FCaption;
  bool FEnabled = true;
  bool FVisible = true;
  bool FChecked = false;
  bool FDefault = false;
  int FImageIndex = -1;
  TShortCut FShortCut = scNone;
  TBasicAction* FAction = nullptr;
  UINT FCommand;
  TNotifyEvent FOnClick;
  TMenuDrawItemEvent FOnDrawItem;
  TMenuMeasureItemEvent FOnMeasureItem;
};

// The root of an item tree that becomes one platform menu.
class TMenu : public TMenuItem {
 public:
  using TMenuItem::TMenuItem;
  HMENU MenuHandle();
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool ownerDraw);
  // Borrowed: the menu forgets a list that is freed.
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images);
  // Runs the click of the item with command; false when none has it.
  bool DispatchCommand(UINT command);
  // WM_MEASUREITEM and WM_DRAWITEM for this menu's items; false for others.
  bool MeasureItem(MEASUREITEMSTRUCT& measure);
  bool DrawItem(const DRAWITEMSTRUCT& draw);
  // WM_MENUCHAR for one of this menu's drop-downs, whose owner-drawn items
  // carry no text the platform could look in: the item whose caption has
  // the accelerator runs, or of several the next is selected (result); false
  // when the drop-down is not this menu's or no caption has it.
  bool MenuChar(HMENU menu, wchar_t character, LRESULT& result);
  // Entries for the visible top-level items, appended to menu, that share
  // their drop-downs with this menu: an MDI frame's merged bar.
  void AppendEntries(HMENU menu);
  // Raised after every change of the items, with the item changed: the one
  // whose sub-items came or went, or the menu when its own setting changed.
  void SetOnChange(const TNotifyEvent& handler) { FOnChange = handler; }

  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  friend class TMenuItem;
  virtual HMENU CreateHandle() = 0;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool FOwnerDraw = false;
  TImageList* FImages = nullptr;
  TNotifyEvent FOnChange;
};

class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;
  std::wstring ClassName() const override { return L"TMainMenu"; }

 protected:
  HMENU CreateHandle() override { return CreateMenu(); }
};

class TPopupMenu : public TMenu {
 public:
  using TMenu::TMenu;
  std::wstring ClassName() const override { return L"TPopupMenu"; }
  // Shows the menu at a screen point and returns once it closes, after the
  // chosen item's click.
  void Popup(int x, int y);

 protected:
  HMENU CreateHandle() override { return CreatePopupMenu(); }
};

// Takes a platform menu that nothing shows any more: its entries are taken
// out (their drop-downs belong to their items) and it is destroyed, at once
// or, while a menu loop runs on this thread, once none does.
void DisposeMenu(TMenuHandle menu);
