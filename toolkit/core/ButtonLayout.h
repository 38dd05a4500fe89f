// Where a button puts its glyph and caption (Layout, Margin, Spacing), and
// which glyph cell a state shows: plain geometry, shared by the toolkit's own
// bit buttons and the skinned ones.
#pragma once

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct TButtonLayoutInput {
  int Width = 0;   // the client size
  int Height = 0;
  int GlyphWidth = 0;   // one glyph cell; 0 x 0 without a glyph
  int GlyphHeight = 0;
  int CaptionWidth = 0;   // the measured caption; 0 x 0 when empty
  int CaptionHeight = 0;
  TButtonLayout Layout = blGlyphLeft;
  int Margin = -1;    // -1: centre the pair (with Spacing -1: spread it evenly)
  int Spacing = 4;    // -1: fill the room between glyph and caption
  // Speed buttons place a centred pair one pixel further in.
  int AutoMarginExtra = 0;
};

struct TButtonPlacement {
  int GlyphX, GlyphY;
  int CaptionX, CaptionY;
};

TButtonPlacement LayoutButton(const TButtonLayoutInput& in);

enum TGlyphState { gsNormal = 1, gsDisabled = 2, gsPressed = 3 };

// The zero-based cell of the glyph strip to draw: a state has its own cell
// only in a strip of exactly four.
int GlyphCell(TGlyphState state, int numGlyphs);
