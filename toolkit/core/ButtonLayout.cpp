#include "toolkit/core/ButtonLayout.h"

namespace {

int Centred(int size, int extent) { return (size - extent + 1) / 2; }

}  // namespace

TButtonPlacement LayoutButton(const TButtonLayoutInput& in) {
  bool horizontal = in.Layout == blGlyphLeft || in.Layout == blGlyphRight;
  int axis = horizontal ? in.Width : in.Height;
  int glyph = horizontal ? in.GlyphWidth : in.GlyphHeight;
  int caption = horizontal ? in.CaptionWidth : in.CaptionHeight;
  int margin = in.Margin;
  int spacing = in.GlyphWidth == 0 || in.CaptionWidth == 0 ? 0 : in.Spacing;
  if (margin == -1 && spacing == -1) {
    margin = spacing = (axis - (glyph + caption)) / 3;
  } else if (margin == -1) {
    margin = (axis - (spacing + glyph + caption)) / 2 + in.AutoMarginExtra;
  } else if (spacing == -1) {
    spacing = (axis - margin - glyph - caption) / 2;
  }

  TButtonPlacement place{};
  if (horizontal) {
    place.GlyphY = Centred(in.Height, in.GlyphHeight);
    place.CaptionY = Centred(in.Height, in.CaptionHeight);
  } else {
    place.GlyphX = Centred(in.Width, in.GlyphWidth);
    place.CaptionX = Centred(in.Width, in.CaptionWidth);
  }
  switch (in.Layout) {
    case blGlyphLeft:
      place.GlyphX = margin;
      place.CaptionX = margin + in.GlyphWidth + spacing;
      break;
    case blGlyphRight:
      place.GlyphX = in.Width - margin - in.GlyphWidth;
      place.CaptionX = place.GlyphX - spacing - in.CaptionWidth;
      break;
    case blGlyphTop:
      place.GlyphY = margin;
      place.CaptionY = margin + in.GlyphHeight + spacing;
      break;
    case blGlyphBottom:
      place.GlyphY = in.Height - margin - in.GlyphHeight;
      place.CaptionY = place.GlyphY - spacing - in.CaptionHeight;
      break;
  }
  return place;
}

int GlyphCell(TGlyphState state, int numGlyphs) {
  return numGlyphs == 4 ? static_cast<int>(state) - 1 : 0;
}
