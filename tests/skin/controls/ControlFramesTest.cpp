// Frames, glyph cells and caption colours of skinned controls by state, and
// the bit and speed buttons' glyph and caption layout.
#include <gtest/gtest.h>

#include "skin/controls/ControlFrames.h"
#include "skin/controls/PlatformValues.h"
#include "skin/controls/TextPlacement.h"
#include "toolkit/core/ButtonLayout.h"

namespace {

TControlState State(bool hot, bool pressed, bool focused, bool enabled) { return {hot, pressed, focused, enabled}; }

}  // namespace

TEST(ControlFrames, ButtonsLetDisabledWinAndCombosLetItLose) {
  EXPECT_EQ(ButtonFrame(State(false, false, false, true)), 1);
  EXPECT_EQ(ButtonFrame(State(true, false, false, true)), 4);
  EXPECT_EQ(ButtonFrame(State(false, false, true, true)), 4);
  EXPECT_EQ(ButtonFrame(State(true, true, true, true)), 2) << "pressed beats focus and hot";
  EXPECT_EQ(ButtonFrame(State(true, true, true, false)), 3) << "disabled even while focused, hot or pressed";

  EXPECT_EQ(ComboBoxFrame(State(false, false, false, false)), 3);
  EXPECT_EQ(ComboBoxFrame(State(false, false, true, false)), 4) << "a focused disabled combo box shows focus";
  EXPECT_EQ(ComboBoxFrame(State(true, true, false, false)), 2);
  EXPECT_EQ(ComboBoxFrame(State(false, false, false, true)), 1);
}

TEST(ControlFrames, CheckBoxesShareFrameFourBetweenIndeterminateAndDisabledChecked) {
  EXPECT_EQ(CheckBoxFrame(false, false, true), 1);
  EXPECT_EQ(CheckBoxFrame(true, false, true), 2);
  EXPECT_EQ(CheckBoxFrame(false, false, false), 3);
  EXPECT_EQ(CheckBoxFrame(true, false, false), 4);
  EXPECT_EQ(CheckBoxFrame(false, true, true), 4);
  EXPECT_EQ(CheckBoxFrame(true, true, false), 4);
}

TEST(ControlFrames, ToolButtonsTestTheirStateBitsInOrder) {
  EXPECT_EQ(ToolButtonFrame(kCdisSelected | kCdisHot | kCdisDisabled), 1) << "selected comes first";
  EXPECT_EQ(ToolButtonFrame(kCdisHot | kCdisDisabled), 4);
  EXPECT_EQ(ToolButtonFrame(kCdisFocus), 4);
  EXPECT_EQ(ToolButtonFrame(kCdisGrayed | kCdisDefault), 3);
  EXPECT_EQ(ToolButtonFrame(kCdisDefault), 1);
  EXPECT_EQ(ToolButtonFrame(0), 0) << "nothing drawn";
  EXPECT_EQ(ToolButtonFrame(0x80), 0);
}

TEST(ControlFrames, GlyphCellsOfBitAndSpeedButtons) {
  // Frames 1 normal, 2 pressed, 3 disabled, 4 hot ask for glyphs 1, 3, 2, 1.
  for (int frame : {1, 2, 3, 4}) {
    EXPECT_EQ(BitButtonGlyphCell(frame, 2), 0) << "two glyphs: always the first";
    EXPECT_EQ(BitButtonGlyphCell(frame, 3), 0) << "three glyphs: always the first";
  }
  EXPECT_EQ(BitButtonGlyphCell(2, 4), 2);
  EXPECT_EQ(BitButtonGlyphCell(3, 4), 1);
  EXPECT_EQ(BitButtonGlyphCell(4, 4), 0);

  EXPECT_EQ(SpeedButtonGlyphCell(3, 2), 1) << "a speed button uses every cell its strip has";
  EXPECT_EQ(SpeedButtonGlyphCell(2, 2), 0) << "glyph 3 of 2 falls back to the first";
  EXPECT_EQ(SpeedButtonGlyphCell(2, 3), 2);
  EXPECT_EQ(SpeedButtonGlyphCell(2, 0), 0);
}

TEST(ControlFrames, CaptionColoursFollowTheGivenKeysOnlyForBitButtons) {
  TButtonTextColours colours{1, 2, 3, 4, 5, false, true, false};
  EXPECT_EQ(ButtonCaptionColour(colours, 1), 2u) << "push buttons take the frame's colour given or not";
  EXPECT_EQ(ButtonCaptionColour(colours, 2), 4u);
  EXPECT_EQ(ButtonCaptionColour(colours, 3), 5u);
  EXPECT_EQ(ButtonCaptionColour(colours, 4), 3u);
  EXPECT_EQ(ButtonCaptionColour(colours, 5), 1u);

  const uint32_t font = 99;
  EXPECT_EQ(BitButtonCaptionColour(colours, 1, font), font);
  EXPECT_EQ(BitButtonCaptionColour(colours, 2, font), font);
  EXPECT_EQ(BitButtonCaptionColour(colours, 4, font), 3u);
  EXPECT_EQ(BitButtonCaptionColour(colours, 3, font), 5u) << "disabled always greys";
}

// The skinned bit and speed buttons lay out through the toolkit's button
// layout; these are its four layouts with both automatic rules, on an
// 80 x 60 button with a 16 x 20 glyph and a 30 x 10 caption.
TEST(ControlFrames, ButtonLayoutsWithAutomaticMarginAndSpacing) {
  struct Case {
    TButtonLayout Layout;
    int Margin, Spacing, Extra;
    TButtonPlacement Expected;
  };
  const Case cases[] = {
      // Axis 80: (80 - 46) div 3 = 11 each.
      {blGlyphLeft, -1, -1, 0, {11, 20, 38, 25}},
      {blGlyphRight, -1, -1, 0, {53, 20, 12, 25}},
      // Axis 60: (60 - 30) div 3 = 10.
      {blGlyphTop, -1, -1, 0, {32, 10, 25, 40}},
      {blGlyphBottom, -1, -1, 0, {32, 30, 25, 10}},
      // Margin only: (60 - (2 + 30)) div 2 = 14, a speed button one more.
      {blGlyphBottom, -1, 2, 0, {32, 26, 25, 14}},
      {blGlyphBottom, -1, 2, 1, {32, 25, 25, 13}},
      // Spacing only: (80 - 3 - 16 - 30) div 2 = 15.
      {blGlyphRight, 3, -1, 0, {61, 20, 16, 25}},
  };
  for (const Case& c : cases) {
    TButtonLayoutInput in{80, 60, 16, 20, 30, 10, c.Layout, c.Margin, c.Spacing, c.Extra};
    TButtonPlacement place = LayoutButton(in);
    EXPECT_EQ(place.GlyphX, c.Expected.GlyphX) << c.Layout << " " << c.Margin << " " << c.Spacing;
    EXPECT_EQ(place.GlyphY, c.Expected.GlyphY) << c.Layout;
    EXPECT_EQ(place.CaptionX, c.Expected.CaptionX) << c.Layout;
    EXPECT_EQ(place.CaptionY, c.Expected.CaptionY) << c.Layout;
  }
}

TEST(ControlFrames, CaptionsSitHalfTheSpareHeightLessOne) {
  EXPECT_EQ(CaptionRect({10, 20, 110, 50}, 40, 12, true), (TSkinRect{40, 28, 80, 40}));
  EXPECT_EQ(CaptionRect({10, 20, 110, 50}, 40, 12, false), (TSkinRect{10, 28, 110, 40})) << "full width";
  EXPECT_EQ(CaptionRect({0, 0, 20, 10}, 41, 15, true), (TSkinRect{-10, -3, 31, 12}))
      << "a caption larger than its button overhangs, halves toward zero";
}
