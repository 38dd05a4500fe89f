// The state of a menu-bar drop-down while the platform's menu loop runs it,
// and the decisions of the message-filter hook that lets the arrow keys and
// the mouse move on to the neighbouring entries. One drop-down is open at a
// time, so the skinner keeps one of these for the process.
#pragma once

#include <cstdint>

#include "skin/engine/Plane.h"

// The menu item last selected in the open drop-down, as the hook sees it.
struct TTrackedItem {
  bool Present = false;
  bool ParentRightToLeft = false;
  bool HasSubItems = false;
  // Its parent menu or its own sub-menu is the drop-down the bar opened.
  bool InTrackedDropDown = false;
};

class TMenuLoop {
 public:
  int CurrentEntry = -1;  // the open entry's index
  bool Switching = false;  // a move to another entry was requested
  bool DownPosted = false;
  // The drop-down was opened from the keyboard, so its first item is selected.
  bool SelectFirst = false;
  // Escape closed the drop-down itself, not a sub-menu of it: the bar goes
  // back to its keyboard mode at the entry.
  bool BackToBar = false;
  TSkinPoint LastMousePoint;
  uint32_t OpenedAt = 0;  // the tick count when the drop-down opened

  // OpenEntry, before TrackPopupMenu: the entry is open, the cursor is where
  // it is, and the tick count is tick.
  void Begin(int entry, TSkinPoint cursor, uint32_t tick, bool selectFirst);
  // After TrackPopupMenu returned. Switching stays as it is until the next Begin.
  void End();

  // True once per drop-down opened from the keyboard: the hook then posts a
  // down-arrow key so that the first item is selected. A drop-down the mouse
  // opened selects nothing, as the platform's do.
  bool TakeFirstMessage();

  // WM_KEYDOWN: the entry the key moves to, or -1. Return and Escape end a
  // switch; Escape with no item of a sub-menu selected goes back to the bar. Left goes to the previous entry unless a sub-menu of the drop-down
  // is open (the key closes it); Right to the next unless the item opens a
  // sub-menu. The bar wraps around.
  int EntryForKey(unsigned key, int entryCount, const TTrackedItem& item);

  // WM_MENUSELECT with the menu closing (flags 0xFFFF, no menu): whether the
  // bar's tracking ends, which it does unless a switch is under way.
  bool EndsTracking() const { return !Switching; }
  // Any other WM_MENUSELECT: an item was selected, so no switch is pending.
  void ItemSelected() { Switching = false; }
  // A key other than Escape, after it, closed only a sub-menu.
  void KeyPressed(unsigned key);

  // WM_MOUSEMOVE: whether the point (screen) is worth a look. The hook then
  // records the point converted to window coordinates, so nearly every move
  // is looked at; only a move onto another entry switches.
  bool MouseMoved(TSkinPoint screen) const { return screen != LastMousePoint; }
  // Whether a mouse message of time messageTime (a tick count, which wraps)
  // was queued before the drop-down opened. The platform leaves the mouse
  // move that ended an earlier loop, or one from before it, in the queue,
  // where the next loop finds it again: it is no move within this drop-down.
  bool QueuedBefore(uint32_t messageTime) const { return static_cast<int32_t>(messageTime - OpenedAt) < 0; }

  // Whether the chosen entry (-1 for none) is another one: the hook then
  // clicks it open (EntryClickPoint) and a switch is under way.
  bool SwitchTo(int entry);
};

// In a right-to-left menu, left and right are swapped before the hook acts.
unsigned MenuLoopKey(unsigned key, const TTrackedItem& item);

// The flags of WM_MENUSELECT's wParam high word and lParam that mean the
// menu is closing.
bool IsMenuClosing(unsigned flags, intptr_t menu);

// Whether a selected item is found by its sub-menu (a popup item) or by its command.
bool SelectsSubMenu(unsigned flags);
