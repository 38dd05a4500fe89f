// Menus: items with captions ("&" marks the access key), check marks,
// images, shortcuts and sub-items, drawn by the platform or by their owners;
// the main menu that builds a window's menu bar, and pop-up menus.
#pragma once

#include <windows.h>

#include <functional>
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

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

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
  void SetAction(TBasicAction* action) { FAction = action; }
  void UpdateAction() { if (FAction) FAction->Update(); }

  // The WM_COMMAND identifier; unique in the process.
  UINT Command() const { return FCommand; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
  TMenuItem* Parent() const { return FParent; }
  // The menu at the root of this item's tree, if any.
  TMenu* GetParentMenu();
  void Add(TMenuItem* item);
  // The item (this one or below) with this command, if any.
  TMenuItem* Find(UINT command);
  // The item (this one or below) whose sub-menu is menu, if any.
  TMenuItem* FindByHandle(HMENU menu);
  // The pop-up menu of the sub-items once the menu is built; the menu owns it.
  HMENU Handle() const { return FHandle; }

  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& handler) { FOnClick = handler; }
  void Click();
  const TMenuDrawItemEvent& OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(const TMenuDrawItemEvent& handler);
  const TMenuMeasureItemEvent& OnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(const TMenuMeasureItemEvent& handler);
  // Owner drawing: the item's own size (then OnMeasureItem's say), and its
  // painting (OnDrawItem, or the platform's look when there is none).
  void MeasureItem(TCanvas& canvas, int& width, int& height);
  void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);

  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;
  bool SetEvent(const std::wstring& name, const std::any& handler) override;
  void SetParentComponent(TComponent* parent) override;

 protected:
  // Adds the visible items to menu; an item with sub-items becomes a pop-up entry.
  void Populate(HMENU menu);
  void Changed();
  void ForgetHandles();
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
  HMENU FHandle = nullptr;

 private:
  void AppendTo(HMENU menu, bool ownerDraw);
  std::wstring MenuText() const;
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

// The root of an item tree that becomes one platform menu, made on first use
// and remade after a change.
class TMenu : public TMenuItem {
 public:
  using TMenuItem::TMenuItem;
  ~TMenu() override { ForgetHandles(); }
  HMENU MenuHandle();
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool ownerDraw);
  // Borrowed: the list must outlive the menu's use of it.
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images);
  // Runs the click of the item with command; false when none has it.
  bool DispatchCommand(UINT command);
  // WM_MEASUREITEM and WM_DRAWITEM for this menu's items; false for others.
  bool MeasureItem(MEASUREITEMSTRUCT& measure);
  bool DrawItem(const DRAWITEMSTRUCT& draw);
  virtual void Rebuild();

  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  virtual HMENU CreateHandle() = 0;
  TMenuHandle FMenu;

 private:
  bool FOwnerDraw = false;
  TImageList* FImages = nullptr;
};

class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;
  std::wstring ClassName() const override { return L"TMainMenu"; }
  // The form whose window shows this menu learns of a change through this.
  void SetOnChange(std::function<void()> handler) { FOnChange = std::move(handler); }
  void Rebuild() override;

 protected:
  HMENU CreateHandle() override { return CreateMenu(); }

 private:
  std::function<void()> FOnChange;
};

class TPopupMenu : public TMenu {
 public:
  using TMenu::TMenu;
  std::wstring ClassName() const override { return L"TPopupMenu"; }
  // Shows the menu at a screen point and returns once it closes, after the
  // chosen item's click.
  void Popup(int x, int y);
  // Deferred while the menu is shown: its loop still uses the handle.
  void Rebuild() override;

 protected:
  HMENU CreateHandle() override { return CreatePopupMenu(); }

 private:
  bool FStale = false;
};
