// A window's region: the runs of a bitmap's opaque pixels, their blocks for
// the platform's region calls, and the plan of the frame's region parts.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <span>
#include <string>
#include <vector>

#include "skin/engine/FrameRegion.h"
#include "skin/engine/RegionRuns.h"

namespace {

constexpr uint32_t kFuchsia = 0xFF00FF, kGrey = 0x808080;

// Pixels from rows of text: '.' fuchsia, '1' fuchsia with green 1, '2' with
// green 2, 'r' fuchsia with red 254, anything else grey.
std::vector<uint32_t> Pixels(const std::vector<std::string>& rows) {
  std::vector<uint32_t> pixels;
  for (const std::string& row : rows)
    for (char c : row)
      pixels.push_back(c == '.' ? kFuchsia : c == '1' ? 0xFF01FF : c == '2' ? 0xFF02FF : c == 'r' ? 0xFE00FF : kGrey);
  return pixels;
}

const TKeyColourTest kFrameKey(kRegionKey, kRegionTolerance);

TRegionInput Window(int width, int height, std::initializer_list<int> trans) {
  TRegionInput in;
  in.Width = width;
  in.Height = height;
  in.Frame = {4, 30, 4, 4};
  std::copy(trans.begin(), trans.end(), in.Trans);
  return in;
}

std::vector<TRegionSource> SourcesOf(const TRegionInput& in) {
  const std::optional<TRegionPlan> plan = PlanFrameRegion(in);
  if (!plan) {
    ADD_FAILURE() << "no region planned";
    return {};
  }
  std::vector<TRegionSource> sources;
  for (const TRegionPart& part : plan->Parts) sources.push_back(part.Source);
  return sources;
}

}  // namespace

TEST(RegionRuns, RunsOfOpaquePixels) {
  const std::vector<uint32_t> pixels = Pixels({"..##.#", "1#2r..", "......", "######"});
  const TPixelView view{pixels.data(), 6, 4, 6};
  EXPECT_EQ(OpaqueRuns(view, kFrameKey, {10, 20}),
            (std::vector<TSkinRect>{{12, 20, 14, 21}, {15, 20, 16, 21}, {11, 21, 14, 22}, {10, 23, 16, 24}}))
      << "green 1 is within the tolerance; green 2 and red 254 are not";

  // The same picture stored bottom-up, as a DIB section holds it.
  std::vector<uint32_t> bottomUp;
  for (int y = 3; y >= 0; --y) bottomUp.insert(bottomUp.end(), pixels.begin() + y * 6, pixels.begin() + y * 6 + 6);
  EXPECT_EQ(OpaqueRuns({bottomUp.data() + 18, 6, 4, -6}, kFrameKey, {10, 20}), OpaqueRuns(view, kFrameKey, {10, 20}));

  const std::vector<uint32_t> channels = {0x0000FF, 0xFF0000, 0x00FFFF};  // blue, red, cyan as 0x00RRGGBB
  EXPECT_EQ(OpaqueRuns({channels.data(), 3, 1, 3}, TKeyColourTest(0xFF0000, 0), {}),
            (std::vector<TSkinRect>{{1, 0, 3, 1}}))
      << "the key is 0x00BBGGRR, the pixels 0x00RRGGBB";
  EXPECT_TRUE(OpaqueRuns({channels.data(), 3, 1, 3}, TKeyColourTest(0x000000, 255), {}).empty());
  EXPECT_EQ(OpaqueRuns({pixels.data(), 6, 0, 6}, kFrameKey, {}).size(), 0u);
  EXPECT_EQ(OpaqueRuns(view, kFrameKey, {INT_MAX, INT_MIN}).front(), (TSkinRect{INT_MAX, INT_MIN, INT_MAX, INT_MIN + 1}));
}

TEST(RegionRuns, ManyRunsGoInBlocksThatCoverThemAll) {
  // Every other pixel opaque: 2500 single-pixel runs on 50 lines.
  const int w = 100, h = 50;
  std::vector<uint32_t> pixels(w * h);
  for (int i = 0; i < w * h; ++i) pixels[i] = (i % w + i / w) % 2 ? kGrey : kFuchsia;
  const std::vector<TSkinRect> runs = OpaqueRuns({pixels.data(), w, h, w}, kFrameKey, {0, 0});
  ASSERT_EQ(runs.size(), 2500u);

  const std::vector<TRunBlock> blocks = RunBlocks(runs);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], (TRunBlock{0, 2000, {0, 0, 100, 40}}));
  EXPECT_EQ(blocks[1], (TRunBlock{2000, 500, {0, 40, 100, 50}}));
  std::vector<uint32_t> redrawn(w * h, kFuchsia);
  for (const TRunBlock& block : blocks)
    for (std::size_t i = block.First; i < block.First + block.Count; ++i)
      for (int x = runs[i].Left; x < runs[i].Right; ++x) redrawn[runs[i].Top * w + x] = kGrey;
  EXPECT_EQ(redrawn, pixels);

  EXPECT_EQ(RunBlocks(std::span(runs).first(2000)).size(), 1u);
  EXPECT_EQ(RunBlocks(std::span(runs).first(2001)).size(), 2u);
  EXPECT_EQ(RunBlocks(std::span(runs).first(3), 0).size(), 3u) << "a block size of 0 is 1";
  EXPECT_TRUE(RunBlocks({}).empty());

  // A maximised title band, 2560 wide with transparent corners: one run per line.
  std::vector<uint32_t> band(2560 * 30, kGrey);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3 - y; ++x) band[y * 2560 + x] = band[y * 2560 + 2559 - x] = kFuchsia;
  const std::vector<TSkinRect> title = OpaqueRuns({band.data(), 2560, 30, 2560}, kFrameKey, {4, 0});
  ASSERT_EQ(title.size(), 30u);
  EXPECT_EQ(title[0], (TSkinRect{7, 0, 2561, 1}));
  EXPECT_EQ(title[29], (TSkinRect{4, 29, 2564, 30}));
}

TEST(FrameRegion, WhenItIsBuilt) {
  const auto whole = PlanFrameRegion(Window(300, 200, {0, 0, 0, 0}));
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->Base, (TSkinRect{0, 0, 300, 200})) << "no transparent piece: the whole window";
  EXPECT_TRUE(whole->Parts.empty());
  EXPECT_FALSE(whole->RecordSize);
  EXPECT_FALSE(PlanFrameRegion(Window(0, 200, {1, 1, 1, 1}))) << "no area, no region";

  TRegionInput in = Window(300, 200, {1, 1, 1, 1});
  in.RegionWidth = 300;
  in.RegionHeight = 200;
  EXPECT_FALSE(PlanFrameRegion(in)) << "the region is current";
  in.Life = flReloading;
  EXPECT_TRUE(PlanFrameRegion(in)) << "a reload rebuilds it";
  in.Life = flSkinned;
  in.FormKind = fkMdiChild;
  EXPECT_TRUE(PlanFrameRegion(in)) << "an MDI child always rebuilds it";
  in.WindowState = swMaximised;
  EXPECT_FALSE(PlanFrameRegion(in)) << "but not outside the normal state";
}

TEST(FrameRegion, PartsOfTransparentPieces) {
  const auto all = PlanFrameRegion(Window(300, 200, {1, 1, 1, 1}));
  ASSERT_TRUE(all);
  EXPECT_TRUE(all->RecordSize);
  EXPECT_EQ(all->Base, (TSkinRect{4, 30, 296, 196}));
  EXPECT_EQ(all->Parts, (std::vector<TRegionPart>{{bdLeft, rsRenderedPiece, {0, 0, 4, 200}},
                                                  {bdRight, rsRenderedPiece, {296, 0, 300, 200}},
                                                  {bdTop, rsRenderedPiece, {4, 0, 296, 30}},
                                                  {bdBottom, rsRenderedPiece, {4, 196, 296, 200}}}));
  using Sources = std::vector<TRegionSource>;
  EXPECT_EQ(SourcesOf(Window(300, 200, {0, 0, 0, 1})), (Sources{rsRectangle, rsRectangle, rsRectangle, rsRenderedPiece}))
      << "a transparent bottom alone still makes a region";
  EXPECT_EQ(SourcesOf(Window(300, 200, {2, 0, 0, 0})), (Sources{rsRectangle, rsRectangle, rsRectangle, rsRectangle}))
      << "Trans 2 makes a region of rectangles only";

  TRegionInput in = Window(300, 200, {1, 1, 1, 1});
  in.TitleCachePainted = true;
  in.Frame.Bottom = 2;
  EXPECT_EQ(SourcesOf(in), (Sources{rsRenderedPiece, rsRenderedPiece, rsTitleCache, rsRenderedPiece}));
  in.Frame.Bottom = 1;
  EXPECT_EQ(SourcesOf(in).back(), rsRectangle) << "a bottom under 2 pixels is its whole rectangle";
  in.Height = 1;
  in.Frame.Top = 1;
  EXPECT_EQ(SourcesOf(in), (Sources{rsRectangle, rsRectangle, rsRectangle, rsRectangle}));

  in.FrameKind = frPlatform;
  EXPECT_TRUE(SourcesOf(in).empty());

  const auto tiny = PlanFrameRegion(Window(6, 20, {1, 1, 1, 1}));
  EXPECT_EQ(tiny->Base, (TSkinRect{4, 30, 4, 30})) << "empty, not inverted";
  EXPECT_EQ(tiny->Parts[2], (TRegionPart{bdTop, rsRectangle, {4, 0, 4, 30}})) << "no band between the sides";
}
