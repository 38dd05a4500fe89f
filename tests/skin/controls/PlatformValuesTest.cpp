// The restated platform values are the platform's own.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "skin/controls/PlatformValues.h"
#include "toolkit/platform/Messages.h"

TEST(PlatformValues, StylesAndStatesMatchThePlatform) {
  EXPECT_EQ(kWsChild, uint32_t(WS_CHILD));
  EXPECT_EQ(kWsDisabled, uint32_t(WS_DISABLED));
  EXPECT_EQ(kWsVScroll, uint32_t(WS_VSCROLL));
  EXPECT_EQ(kWsHScroll, uint32_t(WS_HSCROLL));
  EXPECT_EQ(kWsExLeftScrollBar, uint32_t(WS_EX_LEFTSCROLLBAR));
  EXPECT_EQ(kBsTypeMask, uint32_t(BS_TYPEMASK));
  EXPECT_EQ(kBsCheckBox, uint32_t(BS_CHECKBOX));
  EXPECT_EQ(kBsAutoCheckBox, uint32_t(BS_AUTOCHECKBOX));
  EXPECT_EQ(kBsRadioButton, uint32_t(BS_RADIOBUTTON));
  EXPECT_EQ(kBs3State, uint32_t(BS_3STATE));
  EXPECT_EQ(kBsGroupBox, uint32_t(BS_GROUPBOX));
  EXPECT_EQ(kBsAutoRadioButton, uint32_t(BS_AUTORADIOBUTTON));
  EXPECT_EQ(kBsOwnerDraw, uint32_t(BS_OWNERDRAW));
  EXPECT_EQ(kBsLeftText, uint32_t(BS_LEFTTEXT));
  EXPECT_EQ(kBstChecked, uint32_t(BST_CHECKED));
  EXPECT_EQ(kBstIndeterminate, uint32_t(BST_INDETERMINATE));
  EXPECT_EQ(kSbsSizeBox, uint32_t(SBS_SIZEBOX));
  EXPECT_EQ(kSbsSizeGrip, uint32_t(SBS_SIZEGRIP));
  EXPECT_EQ(kCbsSimple, uint32_t(CBS_SIMPLE));
  EXPECT_EQ(kTcsBottom, uint32_t(TCS_BOTTOM));
  EXPECT_EQ(kTcsVertical, uint32_t(TCS_VERTICAL));
  EXPECT_EQ(kTcsButtons, uint32_t(TCS_BUTTONS));
  EXPECT_EQ(kTcsOwnerDrawFixed, uint32_t(TCS_OWNERDRAWFIXED));
  EXPECT_EQ(kUdsHorz, uint32_t(UDS_HORZ));
  EXPECT_EQ(kTbsVert, uint32_t(TBS_VERT));
  EXPECT_EQ(kHdfRight, uint32_t(HDF_RIGHT));
  EXPECT_EQ(kHdfCenter, uint32_t(HDF_CENTER));
  EXPECT_EQ(kHdfImage, uint32_t(HDF_IMAGE));
  EXPECT_EQ(kHdfString, uint32_t(HDF_STRING));
}

TEST(PlatformValues, CodesMatchThePlatform) {
  EXPECT_EQ(kSbLineLeft, SB_LINELEFT);
  EXPECT_EQ(kSbLineRight, SB_LINERIGHT);
  EXPECT_EQ(kSbThumbPosition, SB_THUMBPOSITION);
  EXPECT_EQ(kSbThumbTrack, SB_THUMBTRACK);
  EXPECT_EQ(kSbEndScroll, SB_ENDSCROLL);
  EXPECT_EQ(kHtHScroll, HTHSCROLL);
  EXPECT_EQ(kHtVScroll, HTVSCROLL);
  EXPECT_EQ(kWmNotify, uint32_t(WM_NOTIFY));
  EXPECT_EQ(kCnNotify, uint32_t(CN_NOTIFY));
  EXPECT_EQ(kNmCustomDraw, int(NM_CUSTOMDRAW));
  EXPECT_EQ(kCddsPrePaint, uint32_t(CDDS_PREPAINT));
  EXPECT_EQ(kCddsItemPrePaint, uint32_t(CDDS_ITEMPREPAINT));
  EXPECT_EQ(kCdrfDoDefault, uint32_t(CDRF_DODEFAULT));
  EXPECT_EQ(kCdrfSkipDefault, uint32_t(CDRF_SKIPDEFAULT));
  EXPECT_EQ(kCdrfNotifyItemDraw, uint32_t(CDRF_NOTIFYITEMDRAW));
  EXPECT_EQ(kTbcdTics, uint32_t(TBCD_TICS));
  EXPECT_EQ(kTbcdThumb, uint32_t(TBCD_THUMB));
  EXPECT_EQ(kTbcdChannel, uint32_t(TBCD_CHANNEL));
  EXPECT_EQ(kCdisSelected, uint32_t(CDIS_SELECTED));
  EXPECT_EQ(kCdisGrayed, uint32_t(CDIS_GRAYED));
  EXPECT_EQ(kCdisDisabled, uint32_t(CDIS_DISABLED));
  EXPECT_EQ(kCdisFocus, uint32_t(CDIS_FOCUS));
  EXPECT_EQ(kCdisDefault, uint32_t(CDIS_DEFAULT));
  EXPECT_EQ(kCdisHot, uint32_t(CDIS_HOT));
}
