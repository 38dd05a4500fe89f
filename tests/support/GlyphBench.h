// One glyph drawn alone in a font, and the rows its ink takes against the
// rows of the black box the font reports for it: a glyph drawn whole has ink
// from the top row of its box to the bottom one (within a row).
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "toolkit/graphics/Graphics.h"
#include "toolkit/platform/OwnedHandle.h"

// Rows are counted from the top of the character cell.
struct TRows {
  int Top = 1 << 20, Bottom = -(1 << 20);
  bool Empty() const { return Bottom < Top; }
  void Add(int top, int bottom) { Top = std::min(Top, top), Bottom = std::max(Bottom, bottom); }
};

// One glyph drawn alone, black on white, and the rows its ink takes; and the
// rows of the black box that the font reports for it.
class TGlyphBench {
 public:
  TGlyphBench() { FCell.SetSize(kSize, kSize); }

  TRows Ink(HFONT font, wchar_t glyph) {
    HDC dc = FCell.Canvas().Handle();
    TSelectObject selected(dc, font);
    PatBlt(dc, 0, 0, kSize, kSize, WHITENESS);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, kOrigin, kOrigin, &glyph, 1);
    TRows rows;
    for (int y = 0; y < kSize; ++y) {
      const uint8_t* row = FCell.ScanLine(y);
      for (int x = 0; x < 3 * kSize; ++x)
        if (row[x] != 0xFF) rows.Add(y - kOrigin, y - kOrigin);
    }
    return rows;
  }

  TRows Box(HFONT font, wchar_t glyph) {
    HDC dc = FCell.Canvas().Handle();
    TSelectObject selected(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    GLYPHMETRICS box{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    TRows rows;
    if (GetGlyphOutlineW(dc, glyph, GGO_METRICS, &box, 0, nullptr, &identity) == GDI_ERROR) return rows;
    const int top = metrics.tmAscent - box.gmptGlyphOrigin.y;
    rows.Add(top, top + static_cast<int>(box.gmBlackBoxY) - 1);
    return rows;
  }

 private:
  static constexpr int kSize = 160, kOrigin = 48;  // room for any overhang of a glyph up to 36 pixels
  TBitmap FCell;
};

