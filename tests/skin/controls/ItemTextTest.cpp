// Icons and texts in header items and tabs, the group box's frame, and
// combo-box buttons.
#include <gtest/gtest.h>

#include "skin/controls/ComboBoxGeometry.h"
#include "skin/controls/TextPlacement.h"

TEST(ItemText, IconAndTextByAlignment) {
  const TSkinRect item{100, 0, 200, 20};
  TIconTextPlacement left = PlaceIconAndText(item, 40, 12, 16, haLeft);
  EXPECT_EQ(left.Icon, (TSkinRect{102, 2, 118, 18}));
  EXPECT_EQ(left.Text, (TSkinRect{119, 4, 159, 16})) << "1 px after the icon";

  TIconTextPlacement centre = PlaceIconAndText(item, 40, 12, 16, haCentre);
  EXPECT_EQ(centre.Icon.Left, 122) << "(100 - 40 - 16) div 2, the gap left out";
  EXPECT_EQ(centre.Text.Left, 139);

  TIconTextPlacement right = PlaceIconAndText(item, 40, 12, 0, haRight);
  EXPECT_TRUE(right.Icon.IsEmpty());
  EXPECT_EQ(right.Text, (TSkinRect{158, 4, 198, 16})) << "no icon, no gap";
  EXPECT_FALSE(right.Clipped);

  // Too narrow: the text starts at the left, whatever the alignment, and is
  // cut short before the next item instead of running into it.
  for (THorzAlign align : {haLeft, haCentre, haRight}) {
    TIconTextPlacement narrow = PlaceIconAndText({0, 0, 20, 20}, 40, 12, 0, align);
    EXPECT_EQ(narrow.Text, (TSkinRect{2, 4, 18, 16})) << align;
    EXPECT_TRUE(narrow.Clipped);
  }
  TIconTextPlacement iconOnly = PlaceIconAndText({0, 0, 20, 20}, 8, 12, 16, haCentre);
  EXPECT_EQ(iconOnly.Icon.Left, 2);
  EXPECT_EQ(iconOnly.Text, (TSkinRect{19, 4, 19, 16})) << "no room left for the text";
  TIconTextPlacement exact = PlaceIconAndText({0, 0, 44, 20}, 40, 12, 0, haCentre);
  EXPECT_EQ(exact.Text, (TSkinRect{2, 4, 42, 16}));
  EXPECT_FALSE(exact.Clipped) << "a text that just fits is whole";
  EXPECT_EQ(GroupBoxFrame(120, 80, 13), (TSkinRect{0, 5, 120, 80}));
}


TEST(ComboBoxGeometry, ButtonAtTheRightOrMirroredAtTheLeft) {
  TComboBoxLayout right = ComboBoxLayout(120, 22, 17, false);
  EXPECT_EQ(right.EditArea, (TSkinRect{2, 2, 99, 20}));
  EXPECT_EQ(right.Button, (TSkinRect{101, 0, 120, 22}));
  EXPECT_EQ(right.ArrowArea, (TSkinRect{101, 0, 118, 22}));
  EXPECT_FALSE(right.Mirrored);

  TComboBoxLayout left = ComboBoxLayout(120, 22, 17, true);
  EXPECT_EQ(left.EditArea, (TSkinRect{21, 2, 118, 20}));
  EXPECT_EQ(left.Button, (TSkinRect{0, 0, 19, 22}));
  EXPECT_EQ(left.ArrowArea, (TSkinRect{2, 0, 19, 22}));
  EXPECT_TRUE(left.Mirrored);

  EXPECT_EQ(FlatComboButton(120, 22, 16), (TSkinRect{102, 2, 118, 20}));
}
