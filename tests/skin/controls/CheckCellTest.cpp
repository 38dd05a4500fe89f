// Where the check-box and radio-button glyph goes, on either side.
#include <gtest/gtest.h>

#include "skin/controls/CheckCell.h"

namespace {

// A 100 x 24 control, a strip of glyphs of the given size, a 13-pixel menu check.
TCheckCellInput Box(int cellWidth, int cellHeight, int frames, bool leftText) {
  return {{0, 0, 100, 24}, cellWidth * frames, cellHeight, frames, 13, leftText, {}};
}

}  // namespace

TEST(CheckCell, NarrowGlyphsCentreWhereThePlatformBoxStands) {
  TCheckCellPlacement left = PlaceCheckCell(Box(13, 13, 4, false));
  EXPECT_EQ(left.Cell, (TSkinRect{0, 5, 13, 18})) << "(14 - 13) div 2 = 0 in, (24 - 13) div 2 = 5 down";
  EXPECT_EQ(left.ClearArea, (TSkinRect{0, 0, 16, 24}));

  TCheckCellPlacement small = PlaceCheckCell(Box(10, 10, 4, false));
  EXPECT_EQ(small.Cell, (TSkinRect{2, 7, 12, 17}));
}

TEST(CheckCell, LeftTextPutsTheGlyphAtTheRightEdge) {
  TCheckCellPlacement narrow = PlaceCheckCell(Box(10, 10, 4, true));
  EXPECT_EQ(narrow.Cell, (TSkinRect{88, 7, 98, 17})) << "its right edge (14 - 10) div 2 = 2 in";
  EXPECT_EQ(narrow.ClearArea, (TSkinRect{84, 0, 100, 24}));

  TCheckCellPlacement wide = PlaceCheckCell(Box(16, 16, 6, true));
  EXPECT_EQ(wide.Cell, (TSkinRect{83, 4, 99, 20})) << "a wide glyph keeps one pixel off the edge";
  EXPECT_EQ(PlaceCheckCell(Box(16, 16, 6, false)).Cell, (TSkinRect{0, 4, 16, 20})) << "and none on the left";
  EXPECT_EQ(PlaceCheckCell(Box(14, 14, 4, true)).Cell.Right, 100) << "14 px: no inset either way";
}

TEST(CheckCell, CellsComeFromTheStripSideBySide) {
  TCheckCellInput in = Box(13, 13, 4, false);
  EXPECT_EQ(CheckCellSource(in, 3), (TSkinRect{26, 0, 39, 13}));
  in.FrameCount = 0;
  EXPECT_EQ(CheckCellSource(in, 1), (TSkinRect{0, 0, 52, 13})) << "no count is one glyph, not a division by zero";
  EXPECT_EQ(PlaceCheckCell(in).Cell.Width(), 52);

  TCheckCellInput tall = Box(13, 40, 4, false);
  EXPECT_EQ(PlaceCheckCell(tall).Cell.Top, -8) << "a glyph taller than the control overhangs evenly";
}
