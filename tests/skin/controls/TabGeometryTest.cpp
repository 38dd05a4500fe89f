// Skinned tab controls: the side the tabs stand on, the turns of the skin's
// images, page and strip, each tab's place in the unturned strip buffer, and
// the old-style tab set's row of tabs.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "skin/controls/PlatformValues.h"
#include "skin/controls/TabGeometry.h"

namespace {

// Where a pixel rectangle of a w x h bitmap lands after a quarter turn, from
// the turns' pixel rules: left, new(x, y) = old(w - 1 - y, x); right,
// new(x, y) = old(y, h - 1 - x).
TSkinRect Turned(const TSkinRect& r, TImageTurn turn, int w, int h) {
  auto land = [&](int x, int y) { return turn == itRotateLeft ? std::pair(y, w - 1 - x) : std::pair(h - 1 - y, x); };
  auto [x0, y0] = land(r.Left, r.Top);
  auto [x1, y1] = land(r.Right - 1, r.Bottom - 1);
  return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1};
}

const TSkinRect kWindow{0, 0, 200, 150};

}  // namespace

TEST(TabGeometry, OrientationAndImageTurns) {
  EXPECT_EQ(TabOrientationOf(0), toTop);
  EXPECT_EQ(TabOrientationOf(kTcsBottom), toBottom);
  EXPECT_EQ(TabOrientationOf(kTcsVertical), toLeft);
  EXPECT_EQ(TabOrientationOf(kTcsVertical | kTcsBottom), toRight);

  auto turns = [](TTabOrientation o) {
    TTabImageTurns t = TabImageTurns(o);
    return std::tuple(t.TabImage, t.BorderImage, t.Strip);
  };
  EXPECT_EQ(turns(toTop), std::tuple(itNone, itNone, itNone));
  EXPECT_EQ(turns(toBottom), std::tuple(itFlipVertical, itFlipVertical, itNone));
  EXPECT_EQ(turns(toLeft), std::tuple(itNone, itRotateLeft, itRotateLeft));
  EXPECT_EQ(turns(toRight), std::tuple(itNone, itRotateRight, itRotateRight));
}

TEST(TabGeometry, PageAndStripOnEachSide) {
  TTabStrip top = TabStripLayout(kWindow, {4, 26, 196, 146}, toTop);
  EXPECT_EQ(top.Page, (TSkinRect{0, 23, 200, 150})) << "grown by 4, then 1 px into the page on the strip side";
  EXPECT_EQ(top.Strip, (TSkinRect{0, 0, 200, 23}));
  EXPECT_EQ(std::pair(top.BufferWidth, top.BufferHeight), std::pair(200, 23));

  TTabStrip bottom = TabStripLayout(kWindow, {4, 4, 196, 124}, toBottom);
  EXPECT_EQ(bottom.Page, (TSkinRect{0, 0, 200, 127}));
  EXPECT_EQ(bottom.Strip, (TSkinRect{0, 127, 200, 150}));

  TTabStrip left = TabStripLayout(kWindow, {30, 4, 196, 146}, toLeft);
  EXPECT_EQ(left.Page, (TSkinRect{27, 0, 200, 150}));
  EXPECT_EQ(left.Strip, (TSkinRect{0, 0, 27, 150}));
  EXPECT_EQ(std::pair(left.BufferWidth, left.BufferHeight), std::pair(150, 27)) << "swapped";

  TTabStrip right = TabStripLayout(kWindow, {4, 4, 170, 146}, toRight);
  EXPECT_EQ(right.Page, (TSkinRect{0, 0, 173, 150}));
  EXPECT_EQ(right.Strip, (TSkinRect{173, 0, 200, 150}));
  EXPECT_EQ(std::pair(right.BufferWidth, right.BufferHeight), std::pair(150, 27));
}

TEST(TabGeometry, TabsOnTopAndBottomMoveOnePixelTowardsThePage) {
  TTabStrip top = TabStripLayout(kWindow, {4, 26, 196, 146}, toTop);
  EXPECT_EQ(TabRectInBuffer({2, 2, 60, 22}, top, toTop), (TSkinRect{2, 3, 60, 23}));
  TTabStrip bottom = TabStripLayout(kWindow, {4, 4, 196, 124}, toBottom);
  EXPECT_EQ(TabRectInBuffer({2, 128, 60, 148}, bottom, toBottom), (TSkinRect{2, 0, 60, 20}));
}

// Whatever the side, turning the painted buffer must bring each tab back to
// where the control has it.
TEST(TabGeometry, SideTabsComeBackToTheirPlaceWhenTheBufferTurns) {
  struct Case {
    TTabOrientation Orientation;
    TSkinRect Display;
    TSkinRect Tab;
  };
  for (const Case& c : {Case{toLeft, {30, 4, 196, 146}, {2, 5, 25, 61}},
                        Case{toLeft, {30, 4, 196, 146}, {0, 100, 27, 150}},
                        Case{toRight, {4, 4, 170, 146}, {175, 5, 198, 61}},
                        Case{toRight, {4, 4, 170, 146}, {173, 0, 200, 1}}}) {
    TTabStrip strip = TabStripLayout(kWindow, c.Display, c.Orientation);
    TSkinRect inBuffer = TabRectInBuffer(c.Tab, strip, c.Orientation);
    EXPECT_TRUE(inBuffer.Left >= 0 && inBuffer.Top >= 0 && inBuffer.Right <= strip.BufferWidth &&
                inBuffer.Bottom <= strip.BufferHeight)
        << "inside the buffer";
    TSkinRect back = Turned(inBuffer, TabImageTurns(c.Orientation).Strip, strip.BufferWidth, strip.BufferHeight);
    EXPECT_EQ(back, (TSkinRect{c.Tab.Left - strip.Strip.Left, c.Tab.Top, c.Tab.Right - strip.Strip.Left,
                               c.Tab.Bottom}));
  }
}

TEST(TabGeometry, TabSetDrawsTheTabsThatFitBeforeTheEndMargin) {
  TTabSetInput in{{30, 40, 44}, 160, 20, 5, 10, false};
  std::vector<TSkinRect> tabs = TabSetLayout(in);
  ASSERT_EQ(tabs.size(), 3u);
  EXPECT_EQ(tabs[0], (TSkinRect{5, 0, 44, 20}));
  EXPECT_EQ(tabs[1], (TSkinRect{44, 0, 93, 20}));
  EXPECT_EQ(tabs[2], (TSkinRect{93, 0, 146, 20})) << "93 + 44 + 9 = 146 fits before 150";
  in.ScrollerVisible = true;
  EXPECT_EQ(TabSetLayout(in).size(), 2u) << "beside the scroller the third needs 93 + 44 + 21";
  in.TextWidths = {200, 10};
  EXPECT_TRUE(TabSetLayout(in).empty()) << "drawing stops at the first tab that does not fit";
  EXPECT_EQ(TabSetLayout({{10}, 0, 20, 0, INT_MIN, false}).size(), 1u) << "an absurd end margin does not overflow";
}
