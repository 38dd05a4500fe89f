// The skinned menu bar's geometry and lookups: where its entries start and
// lie (left to right, or right to left), which entry is under a point or
// answers an accelerator, how its background is drawn, and the screen points
// where a drop-down opens or a switch to another entry clicks.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/engine/FrameMetrics.h"
#include "toolkit/core/DisplayScale.h"

// The menu bar element's end widths (its TileLeftMenu and TileRightMenu keys).
struct TMenuBarEnds {
  int LeftWidth = 0, RightWidth = 0;
};

// Where the first entry starts, counted from the bar's start edge: past the
// element's end at that side plus a gap (8 at the right, 4 at the left),
// or 12 when the bar is narrower than that; 6 without a menu bar element.
// The gaps are 96-DPI lengths taken to scale; the ends are given at it.
int MenuBarStart(std::optional<TMenuBarEnds> element, bool rightToLeft, int barWidth, const TDpiScale& scale = {});

// A caption's text width plus 10 (at 96 DPI) when it has any width.
int MenuEntryWidth(int captionWidth, const TDpiScale& scale = {});

// The entries' rectangles in bar coordinates, one row shorter than the bar:
// one after another from start, rightwards, or leftwards from the bar's width
// minus start.
std::vector<TSkinRect> LayoutMenuEntries(std::span<const int> captionWidths, int barWidth, int barHeight, int start,
                                         bool rightToLeft, const TDpiScale& scale = {});

// The background element's frame (two stacked: active, inactive) and
// whether it is a nine-slice (TileMenu 1) or a three-slice.
int MenuBarFrame(bool active);
bool MenuBarIsNineSlice(int tileMenu);

// A menu-bar entry as the lookups see it.
struct TMenuEntryView {
  TSkinRect Bounds;  // window coordinates
  std::wstring_view Caption;
  bool Enabled = true;
};

// The first entry with a caption whose Bounds contain the point, or -1.
int MenuEntryAt(std::span<const TMenuEntryView> entries, TSkinPoint point);

// The character after the first "&" that does not stand for itself ("&&"),
// or 0 without one.
wchar_t AcceleratorOf(std::wstring_view caption);

// The first enabled entry whose accelerator is the character, ignoring case, or -1.
int MenuEntryForAccelerator(std::span<const TMenuEntryView> entries, wchar_t character);

// The previous and next entries, wrapping around the bar.
int PreviousMenuEntry(int current, int count);
int NextMenuEntry(int current, int count);
// From current, the first entry round the bar, forward or back, that usable
// takes; -1 when no other entry does.
template <typename Usable>
int StepMenuEntry(int current, int count, bool forward, Usable usable) {
  int entry = current;
  for (int step = 1; step < count || (current < 0 && step <= count); ++step) {
    entry = forward ? NextMenuEntry(entry, count) : PreviousMenuEntry(entry, count);
    if (entry != current && usable(entry)) return entry;
  }
  return -1;
}

// A maximised MDI child's buttons are drawn in the bar's bitmap, whose origin
// is the bar's top-left corner in the window.
TSkinRect MenuBarButtonPlace(const TSkinRect& bounds, const TFrameSizes& frame);

// The drop-down opens at the entry's bottom-left corner on the screen.
TSkinPoint DropDownPoint(const TSkinRect& bounds, TSkinPoint windowOrigin);

// A switch to another entry clicks one pixel inside its top-left corner, as
// a WM_NCLBUTTONDOWN lParam (x in the low, y in the high 16 bits).
TSkinPoint EntryClickPoint(const TSkinRect& bounds, TSkinPoint windowOrigin);
uint32_t PackPoint(TSkinPoint point);
