// The glyph of a bit or speed button and its painting with the caption:
// a strip of NumGlyphs cells whose top-left pixel's colour is transparent,
// placed by Layout, Margin and Spacing.
#pragma once

#include "toolkit/core/ButtonLayout.h"
#include "toolkit/core/LayoutValue.h"
#include "toolkit/graphics/Graphics.h"
#include "toolkit/graphics/ScaledBitmap.h"

class TButtonGlyph {
 public:
  TBitmap& Glyph() { return FGlyph; }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int count) { FNumGlyphs = count < 1 ? 1 : count; }
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout layout) { FLayout = layout; }
  int Margin() const { return FMargin; }
  void SetMargin(int margin) { FMargin = margin; }
  int Spacing() const { return FSpacing; }
  void SetSpacing(int spacing) { FSpacing = spacing; }
  // Reads NumGlyphs, Layout, Margin and Spacing from a layout; false for other names.
  bool SetProperty(const std::wstring& name, const TPropValue& value);

  // Glyph and caption inside client (the face already drawn); the canvas's
  // font is the caption's, with its colour for the state. The glyph, margin
  // and spacing are taken from 96 DPI to dpi.
  void Paint(TCanvas& canvas, const RECT& client, const std::wstring& caption, TGlyphState state, int dpi,
             int autoMarginExtra = 0);

 private:
  TBitmap FGlyph;
  TScaledBitmap FScaled;  // the glyph at the DPI painted last
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};

// Cell `cell` (zero-based) of a glyph strip of numGlyphs cells, drawn at
// (x, y) with the colour of the cell's top-left pixel left out.
void DrawGlyphCell(HDC dc, int x, int y, TBitmap& glyph, int numGlyphs, int cell);
