// Glyph and caption placement on buttons: each layout, the automatic margin
// and spacing, and buttons with only a glyph or only a caption.
#include <gtest/gtest.h>

#include "toolkit/core/ButtonLayout.h"

namespace {

// A 100 x 30 button, a 16 x 16 glyph, a 40 x 12 caption.
TButtonLayoutInput Button(TButtonLayout layout, int margin, int spacing) {
  TButtonLayoutInput in;
  in.Width = 100;
  in.Height = 30;
  in.GlyphWidth = 16;
  in.GlyphHeight = 16;
  in.CaptionWidth = 40;
  in.CaptionHeight = 12;
  in.Layout = layout;
  in.Margin = margin;
  in.Spacing = spacing;
  return in;
}

TEST(ButtonLayout, GlyphLeftWithGivenMarginAndSpacing) {
  TButtonPlacement place = LayoutButton(Button(blGlyphLeft, 5, 4));
  EXPECT_EQ(place.GlyphX, 5);
  EXPECT_EQ(place.CaptionX, 5 + 16 + 4);
  EXPECT_EQ(place.GlyphY, 7) << "(30 - 16 + 1) div 2";
  EXPECT_EQ(place.CaptionY, 9) << "(30 - 12 + 1) div 2";
}

TEST(ButtonLayout, GlyphRightMeasuresFromTheRightEdge) {
  TButtonPlacement place = LayoutButton(Button(blGlyphRight, 5, 4));
  EXPECT_EQ(place.GlyphX, 100 - 5 - 16);
  EXPECT_EQ(place.CaptionX, 100 - 5 - 16 - 4 - 40);
}

TEST(ButtonLayout, VerticalLayoutsCentreAcross) {
  TButtonLayoutInput in = Button(blGlyphTop, 2, 3);
  in.Height = 60;
  TButtonPlacement top = LayoutButton(in);
  EXPECT_EQ(top.GlyphY, 2);
  EXPECT_EQ(top.CaptionY, 2 + 16 + 3);
  EXPECT_EQ(top.GlyphX, 42);
  EXPECT_EQ(top.CaptionX, 30);
  in.Layout = blGlyphBottom;
  TButtonPlacement bottom = LayoutButton(in);
  EXPECT_EQ(bottom.GlyphY, 60 - 2 - 16);
  EXPECT_EQ(bottom.CaptionY, 60 - 2 - 16 - 3 - 12);
}

TEST(ButtonLayout, AutomaticMarginCentresThePair) {
  EXPECT_EQ(LayoutButton(Button(blGlyphLeft, -1, 4)).GlyphX, (100 - (4 + 16 + 40)) / 2);
  TButtonLayoutInput speed = Button(blGlyphLeft, -1, 4);
  speed.AutoMarginExtra = 1;
  EXPECT_EQ(LayoutButton(speed).GlyphX, (100 - (4 + 16 + 40)) / 2 + 1);
}

TEST(ButtonLayout, AutomaticMarginAndSpacingSpreadEvenly) {
  TButtonPlacement place = LayoutButton(Button(blGlyphLeft, -1, -1));
  int third = (100 - (16 + 40)) / 3;
  EXPECT_EQ(place.GlyphX, third);
  EXPECT_EQ(place.CaptionX, third + 16 + third);
}

TEST(ButtonLayout, AutomaticSpacingFillsTheRest) {
  TButtonPlacement place = LayoutButton(Button(blGlyphLeft, 6, -1));
  EXPECT_EQ(place.CaptionX, 6 + 16 + (100 - 6 - 16 - 40) / 2);
}

TEST(ButtonLayout, SpacingCountsOnlyWithBothGlyphAndCaption) {
  TButtonLayoutInput captionOnly = Button(blGlyphLeft, -1, 10);
  captionOnly.GlyphWidth = captionOnly.GlyphHeight = 0;
  EXPECT_EQ(LayoutButton(captionOnly).CaptionX, 30) << "centred: (100 - 40) div 2";
  TButtonLayoutInput glyphOnly = Button(blGlyphLeft, -1, 10);
  glyphOnly.CaptionWidth = glyphOnly.CaptionHeight = 0;
  EXPECT_EQ(LayoutButton(glyphOnly).GlyphX, 42);
}

TEST(ButtonLayout, ATooSmallButtonGivesNegativePlacesNotACrash) {
  TButtonLayoutInput tiny = Button(blGlyphLeft, -1, -1);
  tiny.Width = 10;
  TButtonPlacement place = LayoutButton(tiny);
  EXPECT_LT(place.GlyphX, 0);
}

TEST(ButtonLayout, OnlyAStripOfFourHasACellPerState) {
  EXPECT_EQ(GlyphCell(gsPressed, 4), 2);
  EXPECT_EQ(GlyphCell(gsDisabled, 4), 1);
  EXPECT_EQ(GlyphCell(gsNormal, 4), 0);
  EXPECT_EQ(GlyphCell(gsPressed, 3), 0);
  EXPECT_EQ(GlyphCell(gsDisabled, 2), 0);
}

}  // namespace
