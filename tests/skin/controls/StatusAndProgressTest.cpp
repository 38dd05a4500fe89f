// Status-bar panels and the filled part of progress bars.
#include <gtest/gtest.h>

#include <climits>

#include "skin/controls/ProgressGeometry.h"
#include "skin/controls/StatusBarGeometry.h"

TEST(StatusBarGeometry, WithoutPanelsOneLoweredPanelCoversTheBar) {
  for (bool simple : {true, false}) {
    std::vector<TStatusPanelInput> panels;
    if (simple) panels.push_back({{0, 0, 50, 20}, haRight, peRaised});
    std::vector<TStatusPanelLayout> layout = StatusBarPanels(300, 20, simple, panels, true);
    ASSERT_EQ(layout.size(), 1u);
    EXPECT_EQ(layout[0].Rect, (TSkinRect{0, 0, 300, 20}));
    EXPECT_EQ(layout[0].TextRect, (TSkinRect{2, 0, 298, 20}));
    EXPECT_EQ(layout[0].Align, haLeft) << "left-aligned even when reading right to left";
    EXPECT_EQ(layout[0].Frame, 1);
  }
}

TEST(StatusBarGeometry, PanelsKeepTheirPlaceButTheLastReachesTheEdge) {
  std::vector<TStatusPanelInput> panels = {{{0, 2, 100, 20}, haLeft, peNone},
                                           {{102, 2, 200, 20}, haCentre, peRaised},
                                           {{202, 2, 250, 20}, haRight, peLowered}};
  std::vector<TStatusPanelLayout> layout = StatusBarPanels(300, 22, false, panels, false);
  ASSERT_EQ(layout.size(), 3u);
  EXPECT_EQ(layout[0].Rect, (TSkinRect{0, 2, 100, 20}));
  EXPECT_EQ(layout[0].Frame, 3);
  EXPECT_EQ(layout[1].TextRect, (TSkinRect{104, 2, 198, 20}));
  EXPECT_EQ(layout[1].Frame, 2);
  EXPECT_EQ(layout[2].Rect, (TSkinRect{202, 2, 300, 20}));
  EXPECT_EQ(layout[2].Align, haRight);

  std::vector<TStatusPanelLayout> mirrored = StatusBarPanels(300, 22, false, panels, true);
  EXPECT_EQ(mirrored[0].Align, haRight);
  EXPECT_EQ(mirrored[1].Align, haCentre);
  EXPECT_EQ(mirrored[2].Align, haLeft);
}

TEST(ProgressGeometry, FillFromTheLeftEdgeIgnoringTheLowerLimit) {
  const TSkinRect bar{3, 4, 203, 24};
  EXPECT_TRUE(ProgressFill(bar, 0, 100).IsEmpty()) << "position 0 shows only the empty frame";
  EXPECT_TRUE(ProgressFill(bar, 50, 0).IsEmpty());
  EXPECT_TRUE(ProgressFill(bar, -5, 100).IsEmpty());
  EXPECT_EQ(ProgressFill(bar, 1, 3), (TSkinRect{3, 4, 69, 24})) << "200 / 3 truncated";
  EXPECT_EQ(ProgressFill(bar, 100, 100), bar);
  EXPECT_EQ(ProgressFill(bar, 500, 100), bar) << "never past the bar";
  EXPECT_EQ(ProgressFill(bar, INT_MAX, INT_MAX), bar) << "no overflow of position x width";
}

TEST(ProgressGeometry, ChunksCoverTheFillAndOneMore) {
  const TSkinRect bar{0, 0, 100, 20};
  std::vector<TSkinRect> chunks = ProgressChunks(bar, 25, 100, 2, 10, 12);
  ASSERT_EQ(chunks.size(), 3u) << "25 px: two whole chunks and one more";
  EXPECT_EQ(chunks[0], (TSkinRect{2, 4, 12, 16}));
  EXPECT_EQ(chunks[2], (TSkinRect{22, 4, 32, 16}));
  EXPECT_EQ(ProgressChunks(bar, 20, 100, 0, 10, 12).size(), 3u);
  EXPECT_TRUE(ProgressChunks(bar, 0, 100, 2, 10, 12).empty());
  EXPECT_TRUE(ProgressChunks(bar, 50, 100, 2, 0, 12).empty()) << "an empty chunk image draws nothing";
  EXPECT_TRUE(ProgressChunks(bar, 100, 100, INT_MAX, 10, 12).empty()) << "chunks beyond the coordinates are left out";
}
