// Owner-drawn menu items: the measuring arithmetic of WM_MEASUREITEM and of
// the skin's measuring handler, where an item's glyph, caption, shortcut and
// separator line go, its text colour, and the pieces of the skinned separator.
// The fixed lengths below are 96-DPI ones, taken to the scale given; the item
// edge and image-list widths are given at that scale.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "skin/model/SkinGeometry.h"
#include "skin/engine/Plane.h"
#include "toolkit/core/DisplayScale.h"

// A toolkit item measured by its own measuring: room for the skin's item
// edge (the MenuItem element's LeftWidth, when the skin has the element)
// plus 10, and 25 more for the glyph column when the menu has no image list.
TSkinSize MeasureToolkitMenuItem(TSkinSize own, std::optional<int> itemLeftWidth, bool hasImageList,
                                  const TDpiScale& scale = {});

// The skin's OnMeasureItem handler on a toolkit item: the item edge plus 12,
// and 23 more without an image list.
TSkinSize MeasureSkinnedMenuItem(TSkinSize own, std::optional<int> itemLeftWidth, bool hasImageList,
                                  const TDpiScale& scale = {});

// An item known only from the platform menu: its text width plus 26 and the
// item edge; the height given grows by 4 with text, else becomes 8, and
// grows by 4 more on the non-NT family.
TSkinSize MeasurePlatformMenuItem(int textWidth, int givenHeight, bool hasText, std::optional<int> itemLeftWidth,
                                  bool ntFamily, const TDpiScale& scale = {});

// An empty caption or a lone "&" is measured as if a blank followed.
std::wstring MeasuredItemCaption(const std::wstring& caption);

struct TItemContentInput {
  TSkinRect Item;
  std::optional<int> ImageListWidth;  // none without an image list
  bool Checked = false;
  bool Separator = false;
  std::optional<int> ItemLeftWidth;  // the MenuItem element's LeftWidth
  TSkinSize Caption;                 // MeasuredItemCaption measured in CaptionArea
  bool RightToLeft = false;
  TDpiScale Scale;
};

struct TItemContentLayout {
  TSkinRect GlyphBox;     // empty for a separator
  TSkinRect CaptionArea;  // where the caption is measured
  TSkinRect Caption;      // where it is drawn, centred vertically
  TSkinRect ShortCut;     // right-aligned text from the caption's end
  int SeparatorY = 0;     // the etched line's row
  bool operator==(const TItemContentLayout&) const = default;
};

// Left to right: a square glyph box one pixel inside the item's top-left
// corner, past the item edge, as wide as the image list's images (16 without
// a list; at least 16 for a checked item); the caption 3 pixels after it up
// to a pixel before the item's end; the shortcut from the caption's end to 11
// pixels before the item's end. A right-to-left menu mirrors all of it within
// the item. A separator's line is 4 pixels below the item's top.
TItemContentLayout LayoutItemContent(const TItemContentInput& in);

// The platform's check mark, centred in the glyph box and one pixel (at 96
// DPI) further right and down.
TSkinRect CheckMarkPlace(const TSkinRect& glyphBox, TSkinSize mark, const TDpiScale& scale = {});

enum TItemTextColour { tcHilightText, tcMenuText, tcButtonShadow, tcSystemButtonShadow };

// Selected enabled items use the skin's HilightText, other enabled ones its
// MenuText, disabled ones its ButtonShadow unless that is the MenuText colour
// too, when the system's button shadow is used.
TItemTextColour ItemTextColour(bool enabled, bool selected, bool buttonShadowIsMenuText);

// The MenuItem element's frame (of five side by side): 4 selected, else 1.
int MenuItemFrame(bool selected);

// The skinned separator: frame 2 of the MenuItem image's five, its bottom
// rows as high as the item (all its rows from the top when the image is
// lower), its end caps at their width and its middle stretched to the item's
// width, into a bitmap of the item's size. Caps that do not fit the item are
// dropped, as the nine-slice drops them.
std::vector<TSlicePiece> SeparatorPieces(TSkinSize image, const TMargins& caps, TSkinSize item);
