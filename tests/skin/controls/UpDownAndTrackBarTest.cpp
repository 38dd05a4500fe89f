// Up-down halves with their states and frames, and the track bar's answers
// to custom drawing.
#include <gtest/gtest.h>

#include "skin/controls/PlatformValues.h"
#include "skin/controls/TrackBarDraw.h"
#include "skin/controls/UpDownGeometry.h"

TEST(UpDownGeometry, HalvesAndTheirArrows) {
  auto vertical = UpDownHalves(17, 21, false, false);
  EXPECT_EQ(vertical[0].Rect, (TSkinRect{0, 0, 17, 10}));
  EXPECT_EQ(vertical[1].Rect, (TSkinRect{0, 10, 17, 21})) << "the odd pixel goes to the second half";
  EXPECT_EQ(std::pair(vertical[0].Button, vertical[1].Button), std::pair(udUp, udDown));
  EXPECT_EQ(std::pair(vertical[0].ArrowX, vertical[0].ArrowY), std::pair(8, 3)) << "2 px above the centre";

  auto inset = UpDownHalves(30, 16, true, true);
  EXPECT_EQ(inset[0].Rect, (TSkinRect{1, 1, 15, 15}));
  EXPECT_EQ(inset[1].Rect, (TSkinRect{15, 1, 29, 15}));
  EXPECT_EQ(inset[1].Button, udRight);
  EXPECT_EQ(std::pair(inset[1].ArrowX, inset[1].ArrowY), std::pair(22, 8)) << "left and right stay centred";
}

TEST(UpDownGeometry, StatesAndFramesOfTheHalves) {
  EXPECT_EQ(UpDownHalfState(true, true, true), 2);
  EXPECT_EQ(UpDownHalfState(true, true, false), 1) << "only the half under the cursor looks pressed";
  EXPECT_EQ(UpDownHalfState(true, false, true), 1);
  EXPECT_EQ(UpDownHalfState(false, true, true), 3);
  EXPECT_EQ(UpDownFrame(1, udUp), 1);
  EXPECT_EQ(UpDownFrame(2, udDown), 6);
  EXPECT_EQ(UpDownFrame(3, udLeft), 3) << "left and right count from 0 in their own image";
  EXPECT_EQ(UpDownFrame(2, udRight), 6);
}

TEST(TrackBarDraw, OnlyTheThumbIsDrawnBySkin) {
  TCustomDrawAnswer pre = TrackBarCustomDraw(kCddsPrePaint, 0);
  EXPECT_EQ(pre.Result, kCdrfNotifyItemDraw);
  EXPECT_FALSE(pre.DrawThumb);
  TCustomDrawAnswer thumb = TrackBarCustomDraw(kCddsItemPrePaint, kTbcdThumb);
  EXPECT_EQ(thumb.Result, kCdrfSkipDefault);
  EXPECT_TRUE(thumb.DrawThumb);
  for (uintptr_t part : {kTbcdTics, kTbcdChannel})
    EXPECT_EQ(TrackBarCustomDraw(kCddsItemPrePaint, part).Result, kCdrfDoDefault);
  EXPECT_FALSE(TrackBarCustomDraw(0x10002, kTbcdThumb).DrawThumb) << "the thumb's post-paint stage";
}
