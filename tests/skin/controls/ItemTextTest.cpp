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
  EXPECT_EQ(PlaceIconAndText({0, 0, 20, 20}, 40, 12, 0, haCentre).Text.Left, -10);
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
