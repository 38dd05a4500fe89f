// The title bar: the caption block and its alignments, the system buttons'
// visibility and places, and the frames they show. The buttons are the
// default skin's: close, maximise, restore, minimise at the right, the icon
// at the left.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "skin/engine/CaptionLayout.h"
#include "skin/engine/SysButtonLayout.h"
#include "skin/engine/WindowValues.h"

using namespace WinValue;

namespace {

// The title of a 400-pixel window with 4-pixel sides and a 30-pixel top.
const TSkinRect kTitle{4, 0, 396, 30};

TCaptionInput Caption(int alignment, int textWidth) {
  TCaptionInput in;
  in.Title = kTitle;
  in.Text = {textWidth, 12};
  in.Element = {24, 0, 96, alignment, 9, 9};
  return in;
}

const std::vector<TSysButtonInfo> kSlateButtons = {
    {0, 1, 34, 5, 0, 0, 96, 22, 4},  {1, 1, 64, 5, 6, 2, 96, 22, 4}, {1, 1, 64, 5, 6, 1, 96, 22, 4},
    {2, 1, 94, 5, 8, 0, 96, 22, 4},  {3, 0, 9, 7, 0, 0, 16, 16, 1}};

std::vector<bool> Visible(const TTitleState& state) {
  std::vector<bool> visible;
  for (const TSysButtonInfo& button : kSlateButtons) visible.push_back(IsSysButtonVisible(button, state));
  return visible;
}

bool VisibleWith(int visibility, int visibility1, const TTitleState& state) {
  return IsSysButtonVisible({5, 0, 0, 0, visibility, visibility1, 10, 10, 1}, state);
}

}  // namespace

TEST(CaptionLayout, AlignmentsAndClip) {
  // The block is 100 + 18 wide; the title 392.
  EXPECT_EQ(LayoutCaption(Caption(0, 100)).CaptionRect, (TSkinRect{28, 9, 146, 21}));
  EXPECT_EQ(LayoutCaption(Caption(1, 100)).CaptionRect.Left, 4 + (392 - 118) / 2);
  EXPECT_EQ(LayoutCaption(Caption(2, 100)).CaptionRect, (TSkinRect{182, 9, 300, 21}))
      << "ends TextRightClip before the title's end";
  EXPECT_EQ(LayoutCaption(Caption(7, 100)).CaptionRect.Left, 4);

  TCaptionInput rtl = Caption(0, 100);
  rtl.RightToLeft = true;
  const TCaptionLayout mirrored = LayoutCaption(rtl);
  EXPECT_EQ(mirrored.CaptionRect.Left, 182);
  EXPECT_EQ(mirrored.DrawFormat, kDtSingleLine | kDtEndEllipsis | kDtNoPrefix | kDtRight);

  const TCaptionLayout longer = LayoutCaption(Caption(0, 500));
  EXPECT_EQ(longer.CaptionRect.Right, 300) << "cut at the right clip; the text ends in an ellipsis";
  EXPECT_EQ(longer.TextRect, (TSkinRect{37, 9, 291, 21}));
  EXPECT_EQ(longer.TextBack, (TSkinRect{28, 0, 300, 30}));
  EXPECT_EQ(longer.DrawFormat, kDtSingleLine | kDtEndEllipsis | kDtNoPrefix);

  TCaptionInput popup = Caption(0, 100);
  popup.Popup = true;
  popup.RightmostButtonLeft = 332;
  EXPECT_EQ(LayoutCaption(popup).CaptionRect.Right, 327) << "a popup's block reaches 5 pixels before its buttons";
  popup.RightmostButtonLeft = 120;
  EXPECT_EQ(LayoutCaption(popup).CaptionRect.Right, 115) << "a longer caption ends there too, not under the buttons";
  EXPECT_EQ(LayoutCaption(popup).TextRect.Right, 115 - popup.Element.TXTBackRight);
  popup.RightmostButtonLeft = 0;
  EXPECT_EQ(LayoutCaption(popup).CaptionRect.Right, 146);
}

TEST(CaptionLayout, VerticalShiftTruncatesTowardZero) {
  TCaptionInput in = Caption(0, 100);
  in.Text.Height = 13;
  in.Element.TextShiftVert = -3;
  EXPECT_EQ(LayoutCaption(in).CaptionRect.Top, 8 - 1);
  in.Title.Bottom = 2;
  in.Element.TextShiftVert = 0;
  EXPECT_EQ(LayoutCaption(in).CaptionRect.Top, -5) << "(2 - 13) / 2 is -5";

  in.Element = {INT_MAX, INT_MIN, INT_MIN, 0, INT_MAX, INT_MAX};
  const TCaptionLayout absurd = LayoutCaption(in);  // must not overflow
  EXPECT_EQ(absurd.CaptionRect.Left, INT_MAX);

  EXPECT_EQ(MeasuredCaption(L"  ", L"录音"), L"   录音");
  EXPECT_EQ(DrawnCaption(L"  ", L"录音"), L"  录音");
}

TEST(SysButtons, VisibilityInTheWindowsStates) {
  TTitleState state;
  state.FrameKind = frEdged;
  state.BorderIcons = kBorderSystemMenu | kBorderMinimiseBox | kBorderMaximiseBox;
  EXPECT_EQ(Visible(state), (std::vector<bool>{true, true, false, true, true}));
  state.WindowState = swMaximised;
  EXPECT_EQ(Visible(state), (std::vector<bool>{true, false, true, true, true}));

  state.WindowState = swNormal;
  state.BorderIcons = kBorderSystemMenu;
  EXPECT_EQ(Visible(state), (std::vector<bool>{true, false, false, false, true})) << "a dialog without boxes";
  state.BorderIcons = kBorderMaximiseBox | kBorderMinimiseBox;
  EXPECT_EQ(Visible(state), (std::vector<bool>{false, false, false, false, true}))
      << "no system menu: no close button, and the boxes' buttons ask for it too";
  state.FrameKind = frPlain;
  state.BorderIcons = kBorderSystemMenu | kBorderMinimiseBox | kBorderMaximiseBox;
  EXPECT_EQ(Visible(state), (std::vector<bool>{false, true, false, true, false}))
      << "Visibility 0 needs a frame kind other than 3";
}

TEST(SysButtons, VisibilityValues) {
  TTitleState state;
  state.BorderIcons = kBorderSystemMenu | kBorderMaximiseBox;
  state.Active = false;
  EXPECT_TRUE(VisibleWith(4, 4, state));
  EXPECT_FALSE(VisibleWith(3, 0, state));
  EXPECT_FALSE(VisibleWith(6, 7, state));
  EXPECT_TRUE(VisibleWith(9, 6, state));
  state.BorderIcons = kBorderMaximiseBox;
  EXPECT_FALSE(VisibleWith(6, 200, state)) << "Visibility 6 also needs a system menu";
  EXPECT_TRUE(VisibleWith(200, 6, state)) << "Visibility1 6 does not";
  for (int never : {5, 10, 11, 12, 199, 2001, -1, INT_MIN}) {
    EXPECT_FALSE(VisibleWith(never, 200, state)) << never;
    EXPECT_FALSE(VisibleWith(200, never, state)) << never;
  }
  EXPECT_TRUE(VisibleWith(2000, 200, state));

  state.FormKind = fkMdiFrame;
  state.ActiveMdiChildMaximised = true;
  EXPECT_FALSE(VisibleWith(100, 100, state)) << "no menu bar";
  state.MenuHeight = 19;
  EXPECT_TRUE(VisibleWith(100, 100, state));
}

TEST(SysButtons, PlacesByAlignment) {
  TTitleState state;
  state.FrameKind = frEdged;
  state.BorderIcons = kBorderSystemMenu | kBorderMinimiseBox | kBorderMaximiseBox;
  TButtonPlaceContext place{400, {4, 30, 4, 4}, 19, false, {28, 9, 146, 21}, std::nullopt};
  const TSysButtonLayout slate = LayoutSysButtons(kSlateButtons, state, place);
  EXPECT_EQ(slate.Buttons[0].Bounds, (TSkinRect{366, 5, 390, 27}));
  EXPECT_EQ(slate.Buttons[1].Bounds, (TSkinRect{336, 5, 360, 27}));
  EXPECT_EQ(slate.Buttons[2], (TSysButtonPlace{false, std::nullopt})) << "the hidden restore button keeps its place";
  EXPECT_EQ(slate.Buttons[4].Bounds, (TSkinRect{9, 7, 25, 23}));
  EXPECT_EQ(slate.RightmostButtonLeft, 366);

  const std::vector<TSysButtonInfo> aligned = {
      {5, 2, 3, 4, 200, 200, 30, 10, 3}, {5, 8, 0, 0, 200, 200, 30, 10, 0},  {5, 3, 3, 4, 200, 200, 30, 10, 3},
      {5, 42, 3, 4, 200, 200, 30, 10, 3}, {5, 100, 50, 0, 200, 200, 30, 10, 3}, {5, 1, 3, 4, 200, 200, 0, 10, 3}};
  const TSysButtonLayout layout = LayoutSysButtons(aligned, state, place);
  EXPECT_EQ(layout.Buttons[0].Bounds, (TSkinRect{15, 4, 25, 14})) << "left of the caption block";
  EXPECT_EQ(layout.Buttons[1].Bounds, (TSkinRect{-2, 0, 28, 10})) << "a frame count of 0 is one frame";
  EXPECT_EQ(layout.Buttons[2].Bounds, (TSkinRect{149, 4, 159, 14})) << "right of it";
  EXPECT_EQ(layout.Buttons[3].Bounds, (TSkinRect{0, 0, 10, 10})) << "an unknown alignment";
  EXPECT_EQ(layout.Buttons[4].Bounds, (TSkinRect{346, 34, 356, 44})) << "in the menu bar, from the right";
  EXPECT_EQ(layout.Buttons[5], (TSysButtonPlace{true, std::nullopt})) << "visible, but no image to place";
  EXPECT_EQ(layout.RightmostButtonLeft, 0);

  place.RightToLeft = true;
  place.MenuBarLeftWidth = 6;
  EXPECT_EQ(LayoutSysButtons(aligned, state, place).Buttons[4].Bounds, (TSkinRect{60, 34, 70, 44}));
  place.RightToLeft = false;
  EXPECT_EQ(LayoutSysButtons(aligned, state, place).Buttons[4].Bounds, (TSkinRect{340, 34, 350, 44}));

  const std::vector<TSysButtonInfo> absurd = {{5, 1, INT_MIN, INT_MAX, 200, 200, 30, 10, 3},
                                              {5, 2, INT_MAX, 0, 200, 200, INT_MAX, 10, 1}};
  const TSysButtonLayout far = LayoutSysButtons(absurd, state, place);  // must not overflow
  EXPECT_EQ(far.Buttons[0].Bounds, (TSkinRect{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
  EXPECT_EQ(far.Buttons[1].Bounds->Left, INT_MIN);
}

TEST(SysButtons, FramesShown) {
  EXPECT_EQ(TitleButtonFrame(false, 4), 4);
  EXPECT_EQ(TitleButtonFrame(false, 3), 1) << "fewer than four frames have no inactive one";
  EXPECT_EQ(ButtonStateFrame(3, 0), 3);
  EXPECT_EQ(ButtonStateFrame(3, kMenuBarButtonVisibility), 4);
  EXPECT_EQ(ButtonStateFrame(2, kMenuBarButtonVisibility), 2);
  EXPECT_FALSE(DrawsInTitle({7, 100, 0, 0, 100, 100, 40, 10, 4}, true)) << "drawn by the menu bar";
}
