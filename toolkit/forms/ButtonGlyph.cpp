#include "toolkit/forms/ButtonGlyph.h"

#include "toolkit/core/DisplayScale.h"

namespace {

constexpr const wchar_t* kButtonLayouts[] = {L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom"};

}  // namespace

bool TButtonGlyph::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"NumGlyphs") return SetNumGlyphs(int(PropInt(value))), true;
  if (name == L"Layout") return SetLayout(PropEnum<TButtonLayout>(value, kButtonLayouts)), true;
  if (name == L"Margin") return SetMargin(int(PropInt(value))), true;
  if (name == L"Spacing") return SetSpacing(int(PropInt(value))), true;
  return false;
}

void TButtonGlyph::Paint(TCanvas& canvas, const RECT& client, const std::wstring& caption, TGlyphState state, int dpi,
                         int autoMarginExtra) {
  const TDpiScale scale(dpi);
  TBitmap& glyph = FScaled.At(FGlyph, FNumGlyphs, scale.Dpi(), true);
  RECT measured{0, 0, 0, 0};
  if (!caption.empty()) canvas.DrawText(caption, measured, DT_CALCRECT | DT_SINGLELINE);
  TButtonLayoutInput in;
  in.Width = client.right - client.left;
  in.Height = client.bottom - client.top;
  if (!glyph.Empty()) {
    in.GlyphWidth = glyph.Width() / FNumGlyphs;
    in.GlyphHeight = glyph.Height();
  }
  in.CaptionWidth = measured.right;
  in.CaptionHeight = measured.bottom;
  in.Layout = FLayout;
  in.Margin = FMargin < 0 ? FMargin : scale.Scale(FMargin);
  in.Spacing = scale.Scale(FSpacing);
  in.AutoMarginExtra = autoMarginExtra;
  TButtonPlacement place = LayoutButton(in);
  if (!glyph.Empty())
    DrawGlyphCell(canvas.Handle(), client.left + place.GlyphX, client.top + place.GlyphY, glyph, FNumGlyphs,
                  GlyphCell(state, FNumGlyphs));
  RECT text{client.left + place.CaptionX, client.top + place.CaptionY, client.left + place.CaptionX + measured.right,
            client.top + place.CaptionY + measured.bottom};
  canvas.DrawText(caption, text, DT_SINGLELINE);
}

void DrawGlyphCell(HDC dc, int x, int y, TBitmap& glyph, int numGlyphs, int cell) {
  if (glyph.Empty() || numGlyphs < 1) return;
  int width = glyph.Width() / numGlyphs;
  HDC source = glyph.Canvas().Handle();
  COLORREF transparent = GetPixel(source, cell * width, 0);
  TransparentBlt(dc, x, y, width, glyph.Height(), source, cell * width, 0, width, glyph.Height(), transparent);
}
