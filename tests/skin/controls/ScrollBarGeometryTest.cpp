// Skinned scroll bars: where the bars lie, one bar's parts, the thumb from
// the scroll information, what a press hits, and where a dragged thumb lands.
#include <gtest/gtest.h>

#include <climits>

#include "skin/controls/ScrollBarGeometry.h"

namespace {

// A 200 x 100 window with a 2-pixel frame and 16-pixel bars.
TScrollFrameInput Window(bool horizontal, bool vertical, bool left) {
  return {200, 100, 196 - (vertical ? 16 : 0), 96 - (horizontal ? 16 : 0), 2, 16, horizontal, vertical, left};
}

constexpr int kMinThumb = 8;
constexpr int kDefaultThumb = 16;

TThumbGeometry ThumbOf(int barLength, TScrollValues info) {
  return ScrollThumb(barLength, 16, info, kMinThumb, kDefaultThumb).value();
}

}  // namespace

TEST(ScrollBarGeometry, BarsOnEitherSide) {
  TScrollFrameRects both = ScrollFrameRects(Window(true, true, false));
  EXPECT_EQ(both.Border, 2);
  EXPECT_EQ(both.Horizontal, (TSkinRect{2, 82, 182, 98}));
  EXPECT_EQ(both.Vertical, (TSkinRect{182, 2, 198, 82}));
  EXPECT_EQ(both.Corner, (TSkinRect{182, 82, 198, 98}));

  TScrollFrameRects left = ScrollFrameRects(Window(true, true, true));
  EXPECT_EQ(left.Horizontal, (TSkinRect{18, 82, 198, 98}));
  EXPECT_EQ(left.Vertical, (TSkinRect{2, 2, 18, 82}));
  EXPECT_EQ(left.Corner, (TSkinRect{2, 82, 18, 98}));

  TScrollFrameRects verticalOnly = ScrollFrameRects(Window(false, true, true));
  EXPECT_EQ(verticalOnly.Vertical, (TSkinRect{2, 2, 18, 98}));
  EXPECT_TRUE(verticalOnly.Horizontal.IsEmpty());
  EXPECT_TRUE(verticalOnly.Corner.IsEmpty());
  EXPECT_EQ(ScrollFrameRects(Window(true, false, true)).Horizontal, (TSkinRect{2, 82, 198, 98}))
      << "a left scroll bar moves only the vertical bar";

  TScrollFrameInput thick = Window(false, true, false);
  thick.ClientWidth -= 4;  // a 4-pixel frame: the border follows the client area, not the edge metric
  EXPECT_EQ(ScrollFrameRects(thick).Vertical, (TSkinRect{180, 4, 196, 96}));
}

TEST(ScrollBarGeometry, TheStripHasTwoCellsPerArrow) {
  EXPECT_EQ(ScrollArrowCell(saLeft, false), 1);
  EXPECT_EQ(ScrollArrowCell(saLeft, true), 2);
  EXPECT_EQ(ScrollArrowCell(saRight, false), 5);
  EXPECT_EQ(ScrollArrowCell(saUp, true), 10);
  EXPECT_EQ(ScrollArrowCell(saDown, false), 13);
  EXPECT_EQ(ScrollArrowCell(saDown, true), 14);
}

TEST(ScrollBarGeometry, ThumbFromTheScrollInformation) {
  // A 232-pixel bar: a 200-pixel track.
  TThumbGeometry half = ThumbOf(232, {0, 100, 50, 25});
  EXPECT_EQ(half.TrackLength, 200);
  EXPECT_EQ(half.ThumbLength, 100);
  EXPECT_EQ(half.ThumbOffset, 50);

  TThumbGeometry whole = ThumbOf(232, {0, 100, 100, 0});
  EXPECT_EQ(whole.ThumbLength, 199) << "a page covering the range: one pixel short";
  EXPECT_EQ(whole.ThumbOffset, 0);

  EXPECT_EQ(ThumbOf(232, {0, 100000, 1, 0}).ThumbLength, kMinThumb);
  EXPECT_EQ(ThumbOf(232, {0, 100, 0, 50}).ThumbLength, kDefaultThumb) << "no page: the platform's thumb";
  EXPECT_EQ(ThumbOf(232, {0, 100, 0, 50}).ThumbOffset, 92) << "MulDiv(50, 184, 100) rounds 92";
  EXPECT_EQ(ThumbOf(232, {0, 3, 1, 1}).ThumbOffset, 67) << "MulDiv(1, 133, 2): 66.5 rounds up";
  EXPECT_EQ(ThumbOf(232, {-50, 50, 10, 50}).ThumbOffset, 180) << "offset at most track - thumb";
  EXPECT_EQ(ThumbOf(232, {10, 20, 5, 0}).ThumbOffset, 0) << "a position below the range stays at the start";
}

TEST(ScrollBarGeometry, NoThumbForAnEmptyOrOversizedRange) {
  EXPECT_FALSE(ScrollThumb(232, 16, {5, 5, 0, 5}, 8, 16));
  EXPECT_FALSE(ScrollThumb(232, 16, {9, 5, 0, 5}, 8, 16));
  EXPECT_FALSE(ScrollThumb(232, 16, {INT_MIN, INT_MAX, 0, 0}, 8, 16));
  ASSERT_TRUE(ScrollThumb(232, 16, {0, INT_MAX, INT_MAX, 0}, 8, 16));

  // A stand-alone control counts both ends: Max = Min is a range of one.
  std::optional<TThumbGeometry> single = ScrollControlThumb(232, 16, {5, 5, 1, 5}, 8, 16);
  ASSERT_TRUE(single);
  EXPECT_EQ(single->ThumbLength, 199) << "its page of one covers it";
  EXPECT_FALSE(ScrollControlThumb(232, 16, {6, 5, 0, 5}, 8, 16));
  EXPECT_EQ(ScrollControlThumb(232, 16, {0, 99, 50, 50}, 8, 16)->ThumbOffset, 100) << "MulDiv(50, 100, 50)";
}

TEST(ScrollBarGeometry, BarLayoutInItsBitmap) {
  TThumbGeometry thumb{100, 30, 20};
  TBarLayout bar = LayoutBar({0, 0, 132, 16}, false, 16, thumb, spRightArrow).value();
  EXPECT_EQ(bar.Bitmap, (TSkinRect{0, 0, 132, kBarBitmapThickness}));
  EXPECT_EQ(bar.FirstArrow, (TSkinRect{0, 0, 16, 16}));
  EXPECT_EQ(bar.SecondArrow, (TSkinRect{116, 0, 132, 16}));
  EXPECT_EQ(std::pair(bar.FirstArrowCell, bar.SecondArrowCell), std::pair(1, 6));
  EXPECT_EQ(bar.Track, (TSkinRect{16, 0, 116, 16}));
  EXPECT_EQ(bar.Thumb, (TSkinRect{36, 0, 66, 16}));
  EXPECT_EQ(bar.ThumbFrame, 1);

  TBarLayout vertical = LayoutBar({180, 2, 198, 82}, true, 18, {44, 10, 0}, spVertThumb).value();
  EXPECT_EQ(vertical.Bitmap, (TSkinRect{0, 0, 16, 80})) << "16 across however thick the bar";
  EXPECT_EQ(vertical.SecondArrow, (TSkinRect{0, 62, 16, 80}));
  EXPECT_EQ(vertical.Thumb, (TSkinRect{0, 18, 16, 28}));
  EXPECT_EQ(vertical.ThumbFrame, 2);
  EXPECT_EQ(LayoutBar({180, 2, 198, 82}, true, 18, {44, 10, 0}, spHorzThumb)->ThumbFrame, 1);
}

TEST(ScrollBarGeometry, ShortBarsGetHalfLengthArrowsAndNoThumb) {
  std::optional<TThumbGeometry> thumb = ScrollThumb(25, 16, {0, 100, 10, 50}, 8, 16);
  ASSERT_TRUE(thumb);
  EXPECT_EQ(thumb->TrackLength, 0);
  EXPECT_EQ(thumb->ThumbLength, 0);
  TBarLayout bar = LayoutBar({0, 0, 25, 16}, false, 16, *thumb, spNone).value();
  EXPECT_EQ(bar.ArrowLength, 12);
  EXPECT_EQ(bar.FirstArrow, (TSkinRect{0, 0, 12, 16}));
  EXPECT_EQ(bar.SecondArrow, (TSkinRect{13, 0, 25, 16}));
  EXPECT_TRUE(bar.Track.IsEmpty());
  EXPECT_TRUE(bar.Thumb.IsEmpty());

  EXPECT_EQ(ScrollThumb(32, 16, {0, 10, 10, 0}, 8, 16)->ThumbLength, 0) << "not -1 for a page covering no track";
  EXPECT_FALSE(LayoutBar({0, 0, 0, 16}, false, 16, {}, spNone));
  EXPECT_FALSE(LayoutBar({0, 0, 10001, 16}, false, 16, {}, spNone)) << "beyond 10000 the bar is skipped";
  EXPECT_TRUE(LayoutBar({0, 0, 10000, 16}, false, 16, {}, spNone));
}

TEST(ScrollBarGeometry, PressesAlongTheBar) {
  const TThumbGeometry thumb{100, 30, 20};
  EXPECT_EQ(ScrollHitAt(15, 16, thumb), shLineUp);
  EXPECT_EQ(ScrollHitAt(16, 16, thumb), shPageUp);
  EXPECT_EQ(ScrollHitAt(36, 16, thumb), shThumb);
  EXPECT_EQ(ScrollHitAt(65, 16, thumb), shThumb);
  EXPECT_EQ(ScrollHitAt(66, 16, thumb), shPageDown);
  EXPECT_EQ(ScrollHitAt(116, 16, thumb), shLineDown);
  EXPECT_EQ(ScrollHitAt(131, 16, thumb), shLineDown);
  EXPECT_EQ(ScrollHitAt(132, 16, thumb), shOutside);
}

TEST(ScrollBarGeometry, DraggingAPagedThumbToTheEndGivesMaxMinusPagePlusOne) {
  const TScrollValues info{0, 99, 10, 0};
  const TThumbGeometry thumb = ThumbOf(132, info);  // track 100, thumb 10
  TThumbDrag end = DragThumb(thumb.ThumbOffset, 500, thumb, info);
  EXPECT_EQ(end.Offset, 100) << "a paged thumb may run to the track's end";
  EXPECT_EQ(end.Position, 90);
  EXPECT_EQ(DragThumb(0, 90, thumb, info).Position, 90) << "MulDiv(90, 99, 100) = 89 is the last page: bumped";
  EXPECT_EQ(DragThumb(0, 89, thumb, info).Position, 88);
  TThumbDrag back = DragThumb(40, -100, thumb, info);
  EXPECT_EQ(back.Offset, 0);
  EXPECT_EQ(back.Position, 0);
}

TEST(ScrollBarGeometry, DraggingAThumbWithoutAPage) {
  const TScrollValues info{10, 60, 0, 10};
  const TThumbGeometry thumb{100, 16, 0};
  TThumbDrag end = DragThumb(0, 1000, thumb, info);
  EXPECT_EQ(end.Offset, 84) << "stops at the end of the track";
  EXPECT_EQ(end.Position, 60);
  EXPECT_EQ(DragThumb(0, 42, thumb, info).Position, 35) << "10 + MulDiv(42, 50, 84)";

  const TThumbGeometry noTrack{0, 0, 0};
  EXPECT_EQ(DragThumb(0, 5, noTrack, info).Position, 10) << "no track: the platform's MulDiv answers -1";
  EXPECT_EQ(DragThumb(0, 5, noTrack, {0, 99, 10, 0}).Position, 0);
  EXPECT_EQ(DragThumb(INT_MAX, INT_MAX, thumb, {INT_MIN, INT_MAX, 0, 0}).Position, -1)
      << "a range beyond 32 bits is held to 32 bits, without overflow";
}
