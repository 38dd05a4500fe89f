// Owner-drawn menu items and the popup menu window's frame.
#include <gtest/gtest.h>

#include <vector>

#include "skin/engine/MenuItemLayout.h"
#include "skin/engine/PopupMenuFrame.h"

TEST(MenuItems, Measuring) {
  EXPECT_EQ(MeasureToolkitMenuItem({60, 18}, 6, false), (TSkinSize{60 + 6 + 10 + 25, 18}));
  EXPECT_EQ(MeasureSkinnedMenuItem({60, 18}, std::nullopt, true), (TSkinSize{72, 18}));
  EXPECT_EQ(MeasurePlatformMenuItem(40, 16, true, 6, true), (TSkinSize{72, 20}));
  EXPECT_EQ(MeasurePlatformMenuItem(0, 16, false, std::nullopt, false), (TSkinSize{26, 12})) << "a separator";
  EXPECT_EQ(MeasuredItemCaption(L"&"), L"& ");
  EXPECT_EQ(MeasuredItemCaption(L"&&"), L"&&");
}

TEST(MenuItems, ContentBothWays) {
  TItemContentInput in;
  in.Item = {0, 20, 150, 40};
  in.ItemLeftWidth = 6;
  in.Caption = {50, 12};
  const TItemContentLayout ltr = LayoutItemContent(in);
  EXPECT_EQ(ltr, (TItemContentLayout{{7, 21, 23, 37}, {26, 20, 149, 40}, {26, 24, 76, 36}, {76, 24, 139, 36}, 24}));

  in.RightToLeft = true;
  const TItemContentLayout rtl = LayoutItemContent(in);
  EXPECT_EQ(rtl.GlyphBox, (TSkinRect{127, 21, 143, 37}));
  EXPECT_EQ(rtl.Caption, (TSkinRect{74, 24, 124, 36}));
  EXPECT_EQ(rtl.ShortCut, (TSkinRect{11, 24, 74, 36}));

  in.RightToLeft = false;
  in.ImageListWidth = 12;
  EXPECT_EQ(LayoutItemContent(in).GlyphBox.Width(), 12);
  in.Checked = true;
  EXPECT_EQ(LayoutItemContent(in).GlyphBox.Width(), 16) << "a check mark needs 16 pixels";
  in.ImageListWidth = 20;
  EXPECT_EQ(LayoutItemContent(in).GlyphBox.Width(), 20);
  in.Separator = true;
  EXPECT_TRUE(LayoutItemContent(in).GlyphBox.IsEmpty());

  EXPECT_EQ(CheckMarkPlace({7, 21, 23, 37}, {13, 13}), (TSkinRect{9, 23, 22, 36}));
  EXPECT_EQ(ItemTextColour(true, true, true), tcHilightText);
  EXPECT_EQ(ItemTextColour(false, true, false), tcButtonShadow);
  EXPECT_EQ(ItemTextColour(false, false, true), tcSystemButtonShadow);
}

TEST(MenuItems, SkinnedSeparator) {
  // Five 20 x 30 frames; the item is 100 x 8: the bottom 8 rows of frame 2.
  auto pieces = SeparatorPieces({100, 30}, {3, 0, 4, 0}, {100, 8});
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].Source, (TSkinRect{20, 22, 23, 30}));
  EXPECT_EQ(pieces[0].Dest, (TSkinRect{0, 0, 3, 8}));
  EXPECT_EQ(pieces[1].Source, (TSkinRect{23, 22, 36, 30}));
  EXPECT_EQ(pieces[1].Dest, (TSkinRect{3, 0, 96, 8}));
  EXPECT_EQ(pieces[2].Dest, (TSkinRect{96, 0, 100, 8}));

  pieces = SeparatorPieces({100, 6}, {3, 0, 4, 0}, {100, 8});
  EXPECT_EQ(pieces[1].Source, (TSkinRect{23, 0, 36, 6})) << "an image lower than the item, from the top";
  EXPECT_EQ(pieces[1].Dest, (TSkinRect{3, 0, 96, 6}));
  EXPECT_EQ(SeparatorPieces({100, 30}, {3, 0, 4, 0}, {6, 8}).size(), 1u) << "caps wider than the item are dropped";
  EXPECT_TRUE(SeparatorPieces({0, 0}, {}, {100, 8}).empty());
}

TEST(PopupMenuFrame, RingAroundTheItems) {
  for (auto [w, h] : {std::pair{60, 40}, std::pair{5, 2}, std::pair{0, 0}}) {
    std::vector<int> cover(w * h);
    for (const TSkinRect& strip : PopupFrameStrips(w, h)) {
      ASSERT_LE(strip.Left, strip.Right);
      ASSERT_LE(strip.Top, strip.Bottom);
      for (int y = strip.Top; y < strip.Bottom; ++y)
        for (int x = strip.Left; x < strip.Right; ++x) ++cover[y * w + x];
    }
    const TSkinRect inner = PopupItemArea(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool ring = !Contains(inner, {x, y});
        ASSERT_EQ(cover[y * w + x] > 0, ring) << w << "x" << h << " at " << x << "," << y;
        if (w > 6 && h > 6) {
          ASSERT_LE(cover[y * w + x], 1) << "the strips do not overlap in a normal menu";
        }
      }
  }
  EXPECT_EQ(PopupItemArea(60, 40), (TSkinRect{3, 3, 57, 37}));
  EXPECT_EQ(PopupBackgroundSource({0, 18, 54, 36}), (TSkinRect{3, 21, 57, 39}));
  EXPECT_TRUE(PaintsPopupFrame(false, 0x80000004u));
  EXPECT_FALSE(PaintsPopupFrame(false, 0x0A280105u));
}
