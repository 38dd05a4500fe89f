// The skinned menu bar of a form: TWinSkinMenu takes the window's menu off
// the platform's bar and draws its own between the title and the client
// area, one TMenuBtn per top-level entry. An entry opens its drop-down with
// the platform's popup tracking; meanwhile a message-filter hook lets the
// arrow keys and the mouse move on to the neighbouring entries.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/engine/MenuBarLayout.h"
#include "skin/engine/NCObject.h"
#include "toolkit/forms/Menus.h"
#include "toolkit/graphics/Graphics.h"
#include "toolkit/core/Component.h"
#include "toolkit/core/Liveness.h"
#include "toolkit/platform/Messages.h"

class TSkinData;
class TWinSkinForm;
class TWinSkinMenu;

class TMenuBtn : public TNCObject {
 public:
  TMenuBtn(TWinSkinMenu& bar, TSkinData& data);
  void Paint() override;

  TWinSkinMenu& Bar;
  TSkinData& SkinData;
  int32_t Index = 0;
  std::wstring Caption;  // "&" marks the accelerator
  bool Enabled = true;
  HMENU SubMenu = nullptr;
  int32_t Command = 0;
};

class TWinSkinMenu {
 public:
  TWinSkinMenu(TWinSkinForm& form, TSkinData& data);
  ~TWinSkinMenu();
  TWinSkinMenu(const TWinSkinMenu&) = delete;
  TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

  // Entries from the window's menu (the toolkit's items where the platform
  // menu has no text), from the toolkit menu, or from a given menu. Each
  // takes the menu off the platform's bar.
  void LoadFromMenuHandle();
  void LoadFromToolkitMenu();
  void LoadFromMenu(HMENU menu);

  // rect in window coordinates.
  void PaintBar(HDC dc, const RECT& rect);
  TMenuBtn* HitEntry(TSkinPoint point);
  // Runs the entry's drop-down until it closes; false without one (an
  // enabled entry without a drop-down then posts its command).
  bool OpenEntry(TMenuBtn* entry);
  // Closes an open drop-down and clicks the entry open; fromKeyboard selects
  // the first item of its drop-down.
  void OpenEntryByClick(TMenuBtn& entry, bool fromKeyboard = false);
  // The bar's keyboard mode: the entry is drawn hot, Left and Right move
  // along the bar, Down, Up, Return or an accelerator open a drop-down,
  // Escape, Alt, F10 or a click elsewhere leave. Returns once it has left.
  void KeyboardMode(int index);
  // The first enabled entry, or -1.
  int FirstEnabledEntry() const;
  // WM_MENUCHAR of one of the bar's drop-downs (for a window without a
  // toolkit menu, whose items the skin draws without text): the item whose
  // text has the accelerator; true when one was found.
  bool MenuChar(TMessage& message);
  TMenuBtn* FindAccelEntry(wchar_t character);
  // CM_DIALOGCHAR: Alt with an entry's accelerator opens it (result 1).
  bool DialogChar(TMessage& message);
  // WM_MENUSELECT while a drop-down of this bar is open.
  void MenuSelect(WPARAM wparam, LPARAM lparam);
  // The entry whose drop-down is open, or -1.
  static int CurrentEntry();

  std::vector<std::unique_ptr<TMenuBtn>> Entries;
  TMainMenu* Menu = nullptr;
  RECT BarRect{};
  TSkinData& SkinData;
  TWinSkinForm& FormSkinner;
  TBitmap BarCache;  // the bar as last drawn, without entry texts
  // What BarCache was drawn for: it is drawn again only when one changes.
  struct TBarKey {
    int Width = 0, Height = 0, Frame = -1, Dpi = 0;
    const void* Element = nullptr;
    uint64_t SkinLoad = 0;
    TColor Colour = 0;
    bool operator==(const TBarKey&) const = default;
  };
  TBarKey BarCacheKey;
  int32_t EntryCount = 0;
  bool Painting = false;
  HMENU MenuHandle = nullptr;

  // Draws an entry's caption centred in rect (window or bar coordinates).
  void DrawEntryCaption(HDC dc, const TMenuBtn& entry, const RECT& rect);

  // A drop-down item the bar made owner-drawn: its menu and its identity there.
  struct TOwnerDrawnItem {
    HMENU Menu;
    UINT Id;
    HMENU SubMenu;
  };

 private:
  void ReadEntries(bool fromMenuByCommand);
  void TakeToolkitItem(TMenuBtn& entry, TMenuItem& item);
  std::vector<TMenuEntryView> EntryViews() const;
  class TDropDown;
  static LRESULT CALLBACK FilterProc(int code, WPARAM wparam, LPARAM lparam);
  // An entry a switch may go to: one that opens a drop-down.
  bool Openable(int index) const;
  void ShowHot(int index);
  int KeyboardLoop(int index, const TAliveGuard& alive);
  void Filter(MSG& msg);
  int EntryUnderMouse(POINT screen);
  void WatchCursor();
  // Clicks the chosen entry open, once per drop-down.
  void SwitchTo(int chosen, bool fromKeyboard);

  std::vector<TOwnerDrawnItem> FOwnerDrawn;  // given back as the platform's when the bar goes
  TLiveness FLiveness;
};
