// The skinned menu bar: entry layout both ways, lookups by point and
// accelerator, and the drop-down loop's moves between entries.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "skin/engine/MenuBarLayout.h"
#include "skin/engine/MenuLoop.h"
#include "skin/engine/WindowValues.h"

using namespace WinValue;

namespace {

std::vector<TMenuEntryView> Entries(std::initializer_list<std::wstring_view> captions) {
  std::vector<TMenuEntryView> entries;
  int x = 10;
  for (std::wstring_view caption : captions) {
    entries.push_back({{x, 30, x + 40, 48}, caption, true});
    x += 40;
  }
  return entries;
}

}  // namespace

TEST(MenuBarLayout, StartOfTheFirstEntry) {
  EXPECT_EQ(MenuBarStart(TMenuBarEnds{1, 7}, false, 392), 5);
  EXPECT_EQ(MenuBarStart(TMenuBarEnds{1, 7}, true, 392), 15);
  EXPECT_EQ(MenuBarStart(TMenuBarEnds{1, 7}, true, 15), 15);
  EXPECT_EQ(MenuBarStart(TMenuBarEnds{1, 7}, true, 14), 12) << "a bar narrower than the start";
  EXPECT_EQ(MenuBarStart(std::nullopt, true, 2), 6);
  EXPECT_EQ(MenuBarStart(TMenuBarEnds{INT_MAX, 0}, false, 392), 12);
}

TEST(MenuBarLayout, EntriesBothWays) {
  const std::vector<int> widths = {30, 0, 45};
  EXPECT_EQ(LayoutMenuEntries(widths, 392, 19, 5, false),
            (std::vector<TSkinRect>{{5, 0, 45, 18}, {45, 0, 45, 18}, {45, 0, 100, 18}}))
      << "an entry without a caption takes no room";
  EXPECT_EQ(LayoutMenuEntries(widths, 392, 19, 15, true),
            (std::vector<TSkinRect>{{337, 0, 377, 18}, {337, 0, 337, 18}, {282, 0, 337, 18}}));
  EXPECT_EQ(LayoutMenuEntries(std::vector<int>{INT_MAX, INT_MAX}, 392, 19, 5, false)[1].Right, INT_MAX);
}

TEST(MenuBarLayout, EntryUnderAPointAndByAccelerator) {
  auto entries = Entries({L"文件(&F)", L"", L"&Edit", L"R&&D", L"帮助(&h)"});
  EXPECT_EQ(MenuEntryAt(entries, {10, 30}), 0);
  EXPECT_EQ(MenuEntryAt(entries, {50, 30}), -1) << "an entry without a caption is never hit";
  EXPECT_EQ(MenuEntryAt(entries, {209, 47}), 4);
  EXPECT_EQ(MenuEntryAt(entries, {210, 40}), -1);

  EXPECT_EQ(MenuEntryForAccelerator(entries, L'f'), 0);
  EXPECT_EQ(MenuEntryForAccelerator(entries, L'H'), 4);
  EXPECT_EQ(MenuEntryForAccelerator(entries, L'D'), -1) << "&& is an ampersand, not a marker";
  EXPECT_EQ(MenuEntryForAccelerator(entries, 0), -1);
  entries[2].Enabled = false;
  EXPECT_EQ(MenuEntryForAccelerator(entries, L'e'), -1);

  EXPECT_EQ(AcceleratorOf(L"&&&X"), L'X');
  EXPECT_EQ(AcceleratorOf(L"A&b&c"), L'b');
  EXPECT_EQ(AcceleratorOf(L"End&"), 0);
}

TEST(MenuBarLayout, ScreenPoints) {
  const TSkinRect entry{45, 34, 100, 52};
  EXPECT_EQ(DropDownPoint(entry, {-1280, 20}), (TSkinPoint{-1235, 72}));
  const TSkinPoint click = EntryClickPoint(entry, {-1280, 20});
  EXPECT_EQ(click, (TSkinPoint{-1234, 55}));
  EXPECT_EQ(PackPoint(click), 0x0037FB2Eu) << "a screen to the left packs as a negative 16-bit x";
  EXPECT_EQ(MenuBarButtonPlace({346, 34, 356, 44}, {4, 30, 4, 4}), (TSkinRect{342, 4, 352, 14}));
}

TEST(MenuLoop, ArrowKeysMoveAlongTheBarAndWrap) {
  TMenuLoop loop;
  const TTrackedItem none;
  loop.Begin(0, {5, 5}, 1000, false);
  EXPECT_FALSE(loop.TakeFirstMessage()) << "a drop-down the mouse opened selects no item";
  loop.End();
  loop.Begin(0, {5, 5}, 1000, true);
  EXPECT_TRUE(loop.TakeFirstMessage());
  EXPECT_FALSE(loop.TakeFirstMessage()) << "one down-arrow per drop-down";
  EXPECT_EQ(loop.EntryForKey(kVkLeft, 4, none), 3) << "left on the first opens the last";
  EXPECT_TRUE(loop.SwitchTo(3));
  EXPECT_FALSE(loop.EndsTracking()) << "the drop-down closing for a switch does not end the tracking";
  loop.End();

  loop.Begin(3, {5, 5}, 0xFFFFFFF0u, true);
  EXPECT_FALSE(loop.Switching) << "the next drop-down starts without a switch";
  EXPECT_TRUE(loop.TakeFirstMessage());
  EXPECT_EQ(loop.EntryForKey(kVkRight, 4, none), 0) << "right on the last opens the first";
  EXPECT_FALSE(loop.SwitchTo(3)) << "the open entry";
  loop.SwitchTo(0);
  EXPECT_EQ(loop.EntryForKey(kVkEscape, 4, none), -1);
  EXPECT_TRUE(loop.EndsTracking()) << "Escape ends the switch";
  EXPECT_TRUE(loop.BackToBar) << "Escape in the drop-down itself goes back to the bar";
  EXPECT_EQ(loop.EntryForKey(kVkEscape, 4, TTrackedItem{true, false, false, false}), -1);
  EXPECT_FALSE(loop.BackToBar) << "Escape in a sub-menu closes only the sub-menu";
  EXPECT_EQ(StepMenuEntry(1, 4, true, [](int entry) { return entry != 2; }), 3) << "passes over what has no drop-down";
  EXPECT_EQ(StepMenuEntry(0, 4, false, [](int entry) { return entry == 1; }), 1) << "round the bar";
  EXPECT_EQ(StepMenuEntry(0, 4, true, [](int entry) { return entry == 0; }), -1) << "no other entry";
  EXPECT_EQ(StepMenuEntry(-1, 3, true, [](int) { return true; }), 0) << "from none, the first";

  TTrackedItem item{true, false, true, true};
  EXPECT_EQ(loop.EntryForKey(kVkRight, 4, item), -1) << "right on an item with a sub-menu opens it";
  EXPECT_EQ(loop.EntryForKey(kVkLeft, 4, item), 2);
  item = {true, false, false, false};
  EXPECT_EQ(loop.EntryForKey(kVkLeft, 4, item), -1) << "left in a sub-menu closes it";
  item.ParentRightToLeft = true;
  EXPECT_EQ(MenuLoopKey(kVkLeft, item), kVkRight);
  EXPECT_EQ(MenuLoopKey(kVkRight, item), kVkLeft);
  EXPECT_EQ(MenuLoopKey(kVkLeft, TTrackedItem{}), kVkLeft);

  EXPECT_TRUE(IsMenuClosing(0xFFFF, 0));
  EXPECT_FALSE(IsMenuClosing(0xFFFF, 0x1234));
  EXPECT_TRUE(SelectsSubMenu(kMfPopup | 0x80));
  EXPECT_FALSE(loop.MouseMoved({5, 5}));
  EXPECT_TRUE(loop.QueuedBefore(0xFFFFFF00u)) << "a move from before the drop-down opened";
  EXPECT_FALSE(loop.QueuedBefore(0xFFFFFFF0u));
  EXPECT_FALSE(loop.QueuedBefore(5)) << "a move after the tick count wrapped";
}
