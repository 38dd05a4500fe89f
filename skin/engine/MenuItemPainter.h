// Owner-drawn menu items in the skin: the skinned painter (the MenuItem
// element over the drop-down's own background), the plain painter for skins
// without that element, and the item content both share (glyph or check
// mark, caption, shortcut, separator line).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "toolkit/forms/Menus.h"

class TSkinData;

// What an item shows, read from a toolkit item or from a platform menu's
// own entry, so that painting an entry of a platform menu makes nothing.
struct TMenuItemLook {
  std::wstring Caption;
  bool Enabled = true;
  bool Checked = false;
  bool Default = false;
  TShortCut ShortCut = scNone;
  int ImageIndex = -1;
  TImageList* Images = nullptr;  // the menu's image list, borrowed
  // The menu the entry lies in: its popup window's background shows under
  // the item, and its order tells whether the item is mirrored.
  HMENU ParentMenu = nullptr;
  bool IsSeparator() const { return Caption == L"-"; }
};

// The text of the entry with command in menu (at most 80 characters).
std::wstring MenuEntryText(HMENU menu, UINT command);
// A toolkit item's look, after its action was brought up to date (or failed to be).
TMenuItemLook LookOf(TMenuItem& item);
// The entry with command in menu: its text ("-" when it has none) and state.
TMenuItemLook LookOfEntry(HMENU menu, UINT command);

struct TItemPaint {
  bool Selected = false;
  // The skin's separator image; items made up from a platform menu use the
  // etched line of the item content instead.
  bool SeparatorImage = true;
};

// The skinned painter when the skin has a MenuItem element, else the plain one.
void PaintMenuItem(TSkinData& data, const TMenuItemLook& item, TCanvas& canvas, const RECT& rect,
                   const TItemPaint& how);

// The menu an item's entry lies in.
HMENU ParentMenuHandle(TMenuItem& item);
// Whether menu's items are ordered from the right (MFT_RIGHTORDER).
bool IsRightToLeftMenu(HMENU menu);

// The MenuItem element's LeftWidth, when the skin has the element.
std::optional<int> MenuItemLeftWidth(TSkinData& data);

// Popup menus are drawn in the platform's menu font, so at the system's DPI.
int MenuDpi();

// The canvas font of menu items: the screen's menu font.
void UseScreenMenuFont(TCanvas& canvas);
