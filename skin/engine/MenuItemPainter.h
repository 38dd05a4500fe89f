// Owner-drawn menu items in the skin: the skinned painter (the MenuItem
// element over the drop-down's own background), the plain painter for skins
// without that element, and the item content both share (glyph or check
// mark, caption, shortcut, separator line).
#pragma once

#include <windows.h>

#include <optional>

#include "toolkit/forms/Menus.h"

class TSkinData;

struct TItemPaint {
  bool Selected = false;
  // The skin's separator image; items made up from a platform menu use the
  // etched line of the item content instead.
  bool SeparatorImage = true;
  // The menu whose popup window's background shows under the item.
  HMENU BackgroundMenu = nullptr;
};

// The skinned painter when the skin has a MenuItem element, else the plain one.
void PaintMenuItem(TSkinData& data, TMenuItem& item, TCanvas& canvas, const RECT& rect, const TItemPaint& how);

// The menu an item's entry lies in.
HMENU ParentMenuHandle(TMenuItem& item);
// Whether menu's items are ordered from the right (MFT_RIGHTORDER).
bool IsRightToLeftMenu(HMENU menu);

// The MenuItem element's LeftWidth, when the skin has the element.
std::optional<int> MenuItemLeftWidth(const TSkinData& data);

// The canvas font of menu items: the screen's menu font.
void UseScreenMenuFont(TCanvas& canvas);
