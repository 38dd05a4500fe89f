// Where skin pieces go: frames, fitted margins, the nine-slice and
// three-slice layouts and the copies that tile a middle part.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/model/SkinGeometry.h"

namespace {

std::vector<TSlicePart> Parts(const std::vector<TSlicePiece>& pieces) {
  std::vector<TSlicePart> parts;
  for (const TSlicePiece& piece : pieces) parts.push_back(piece.Part);
  return parts;
}

}  // namespace

TEST(SkinGeometry, FramesAndMargins) {
  EXPECT_EQ(FrameRect(30, 8, false, 3, 2), (TSkinRect{10, 0, 20, 8}));
  EXPECT_EQ(FrameRect(8, 31, true, 3, 3), (TSkinRect{0, 20, 8, 30})) << "the uneven rest belongs to no frame";
  EXPECT_EQ(FrameRect(30, 8, false, 3, 0), FrameRect(30, 8, false, 3, 1));
  EXPECT_EQ(FrameRect(30, 8, false, 3, 9), FrameRect(30, 8, false, 3, 3));
  EXPECT_EQ(FrameRect(30, 8, false, -4, 2), (TSkinRect{0, 0, 30, 8})) << "no count is one frame";
  EXPECT_TRUE(FrameRect(2, 8, false, 3, 1).IsEmpty()) << "more frames than columns";

  EXPECT_EQ(FitMargins({3, 4, 5, 6}, 8, 10), (TMargins{3, 4, 5, 6})) << "exactly fitting pairs stay";
  EXPECT_EQ(FitMargins({3, 4, 5, 6}, 7, 9), (TMargins{}));
  EXPECT_EQ(FitMargins({-2, 4, 1, -1}, 8, 9), (TMargins{0, 4, 1, 0}));
  EXPECT_EQ(FitMargins({INT32_MAX, 0, INT32_MAX, 0}, 100, 100), (TMargins{}));
}

TEST(SkinGeometry, NineSlicePiecesInDrawingOrder) {
  // Frame 2 of two 9 x 9 frames, margins 2, 3, 4, 1, into 20 x 10 at (100, 50).
  auto pieces = NineSlicePieces({9, 0, 18, 9}, {100, 50, 120, 60}, {2, 3, 4, 1}, true, false);
  const std::vector<std::tuple<TSlicePart, TSkinRect, TSkinRect>> expected = {
      {spTopLeft, {9, 0, 11, 3}, {100, 50, 102, 53}},     {spBottomLeft, {9, 8, 11, 9}, {100, 59, 102, 60}},
      {spTopRight, {14, 0, 18, 3}, {116, 50, 120, 53}},   {spLeft, {9, 3, 11, 8}, {100, 53, 102, 59}},
      {spTop, {11, 0, 14, 3}, {102, 50, 116, 53}},        {spCentre, {11, 3, 14, 8}, {102, 53, 116, 59}},
      {spBottomRight, {14, 8, 18, 9}, {116, 59, 120, 60}}, {spRight, {14, 3, 18, 8}, {116, 53, 120, 59}},
      {spBottom, {11, 8, 14, 9}, {102, 59, 116, 60}}};
  ASSERT_EQ(pieces.size(), expected.size());
  for (size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_EQ(pieces[i].Part, std::get<0>(expected[i]));
    EXPECT_EQ(pieces[i].Source, std::get<1>(expected[i])) << i;
    EXPECT_EQ(pieces[i].Dest, std::get<2>(expected[i])) << i;
  }
  EXPECT_EQ(Parts(NineSlicePieces({0, 0, 9, 9}, {0, 0, 10, 10}, {3, 0, 3, 0}, false, false)),
            (std::vector<TSlicePart>{spLeft, spRight}))
      << "border only, empty pieces left out";

  auto tiled = NineSlicePieces({0, 0, 9, 9}, {0, 0, 30, 20}, {2, 2, 3, 3}, true, true);
  ASSERT_EQ(tiled[5].Part, spCentre);
  EXPECT_TRUE(tiled[5].Tiled);
  EXPECT_EQ(tiled[5].Dest, (TSkinRect{2, 2, 27, 17}));
  EXPECT_EQ(std::pair(tiled[5].TileWidth, tiled[5].TileHeight), std::pair(4, 4));
  EXPECT_EQ(Parts(NineSlicePieces({0, 0, 9, 9}, {0, 0, 30, 20}, {5, 0, 4, 0}, true, true)),
            (std::vector<TSlicePart>{spLeft, spRight}))
      << "a source centre without width draws nothing";
}

TEST(SkinGeometry, MarginsWiderThanTheFrameNeverReadOutsideItOrMirror) {
  const TSkinRect frame{10, 0, 16, 6};
  for (const TMargins& margins : {TMargins{5, 5, 5, 5}, TMargins{9, 1, 9, 1}, TMargins{0, 7, 0, 0}})
    for (const TSlicePiece& piece : NineSlicePieces(frame, {0, 0, 40, 40}, margins, true, true)) {
      const TSkinRect& s = piece.Source;
      EXPECT_FALSE(s.IsEmpty());
      EXPECT_TRUE(s.Left >= frame.Left && s.Top >= frame.Top && s.Right <= frame.Right && s.Bottom <= frame.Bottom);
    }
}

TEST(SkinGeometry, ThreeSliceKeepsItsEndsAndRepeatsTheMiddle) {
  auto pieces = ThreeSlicePieces({0, 6, 10, 12}, 25, 14, {2, 9, 3, 9});
  ASSERT_EQ(Parts(pieces), (std::vector<TSlicePart>{spLeft, spCentre, spRight}));
  EXPECT_EQ(pieces[0].Dest, (TSkinRect{0, 0, 2, 14}));
  EXPECT_EQ(pieces[1].Source, (TSkinRect{2, 6, 7, 12}));
  EXPECT_EQ(pieces[1].Dest, (TSkinRect{2, 0, 22, 14}));
  EXPECT_EQ(std::pair(pieces[1].TileWidth, pieces[1].TileHeight), std::pair(5, 14)) << "scaled to the full height";
  EXPECT_EQ(pieces[2].Source, (TSkinRect{7, 6, 10, 12}));
  EXPECT_EQ(pieces[2].Dest, (TSkinRect{22, 0, 25, 14}));
  EXPECT_EQ(Parts(ThreeSlicePieces({0, 0, 10, 6}, 4, 6, {3, 0, 3, 0})), (std::vector<TSlicePart>{spLeft, spRight}))
      << "narrower than its ends";
  EXPECT_EQ(Parts(ThreeSlicePieces({0, 0, 5, 6}, 40, 6, {3, 0, 3, 0})), (std::vector<TSlicePart>{spLeft, spRight}))
      << "no middle columns";
}

// Plays the copies on a grid and compares with drawing every tile.
TEST(SkinGeometry, TileCopiesEqualDrawingEveryTile) {
  for (int width = 1; width <= 23; width += 2)
    for (int height = 1; height <= 17; height += 4)
      for (int tileWidth : {1, 3, 7, 30})
        for (int tileHeight : {1, 4, 20}) {
          const TSkinRect area{5, 3, 5 + width, 3 + height};
          std::vector<int> grid(40 * 30, -1);  // the tile pixel each cell shows
          auto at = [&](int x, int y) -> int& { return grid[size_t(y) * 40 + x]; };
          for (int y = 0; y < std::min(height, tileHeight); ++y)
            for (int x = 0; x < std::min(width, tileWidth); ++x) at(area.Left + x, area.Top + y) = y * 100 + x;
          for (const TTileCopy& copy : TileCopies(area, tileWidth, tileHeight)) {
            ASSERT_EQ(copy.Source.Width(), copy.Dest.Width());
            ASSERT_EQ(copy.Source.Height(), copy.Dest.Height());
            for (int y = 0; y < copy.Dest.Height(); ++y)
              for (int x = 0; x < copy.Dest.Width(); ++x) {
                ASSERT_NE(at(copy.Source.Left + x, copy.Source.Top + y), -1) << "copied before it was drawn";
                at(copy.Dest.Left + x, copy.Dest.Top + y) = at(copy.Source.Left + x, copy.Source.Top + y);
              }
          }
          for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
              bool inside = x >= area.Left && x < area.Right && y >= area.Top && y < area.Bottom;
              ASSERT_EQ(at(x, y), inside ? (y - area.Top) % tileHeight * 100 + (x - area.Left) % tileWidth : -1)
                  << width << "x" << height << " tile " << tileWidth << "x" << tileHeight;
            }
        }
  EXPECT_LE(TileCopies({0, 0, 4000, 3000}, 1, 1).size(), 24u) << "doubling, not one copy a tile";
}
