#include "skin/engine/MenuLoop.h"

#include "skin/engine/MenuBarLayout.h"
#include "skin/engine/WindowValues.h"

using namespace WinValue;

void TMenuLoop::Begin(int entry, TSkinPoint cursor, uint32_t tick, bool selectFirst) {
  CurrentEntry = entry;
  SelectFirst = selectFirst;
  BackToBar = false;
  OpenedAt = tick;
  Switching = false;
  DownPosted = false;
  LastMousePoint = cursor;
}

void TMenuLoop::End() {
  CurrentEntry = -1;
  DownPosted = false;
}

bool TMenuLoop::TakeFirstMessage() {
  if (DownPosted || !SelectFirst) return false;
  DownPosted = true;
  return true;
}

int TMenuLoop::EntryForKey(unsigned key, int entryCount, const TTrackedItem& item) {
  switch (key) {
    case kVkReturn:
      Switching = false;
      return -1;
    case kVkEscape:
      Switching = false;
      BackToBar = !item.Present || item.InTrackedDropDown;
      return -1;
    case kVkLeft:
      if (item.Present && !item.InTrackedDropDown) return -1;
      return PreviousMenuEntry(CurrentEntry, entryCount);
    case kVkRight:
      if (item.Present && item.HasSubItems) return -1;
      return NextMenuEntry(CurrentEntry, entryCount);
    default:
      return -1;
  }
}

void TMenuLoop::KeyPressed(unsigned key) {
  if (key != kVkEscape) BackToBar = false;
}

bool TMenuLoop::SwitchTo(int entry) {
  if (entry < 0 || entry == CurrentEntry) return false;
  Switching = true;
  return true;
}

unsigned MenuLoopKey(unsigned key, const TTrackedItem& item) {
  if (!item.Present || !item.ParentRightToLeft) return key;
  if (key == kVkLeft) return kVkRight;
  if (key == kVkRight) return kVkLeft;
  return key;
}

bool IsMenuClosing(unsigned flags, intptr_t menu) { return flags == 0xFFFF && menu == 0; }

bool SelectsSubMenu(unsigned flags) { return flags & kMfPopup; }
