// Where a check box or radio button puts its skin glyph: the cell from the
// skin's glyph strip, the place it goes in the control, and the strip of
// the control wiped first so that the platform's own box does not show.
#pragma once

#include <string_view>

#include "skin/model/SkinGeometry.h"
#include "toolkit/core/DisplayScale.h"

struct TCheckCellInput {
  TSkinRect Bounds;        // the control, zero-based
  int ImageWidth = 0;      // the glyph strip
  int ImageHeight = 0;
  int FrameCount = 1;      // glyphs in the strip (CheckButtonFrame or RadioButtonFrame)
  int MenuCheckWidth = 0;  // the platform's menu check-mark width
  bool LeftText = false;   // caption on the left, glyph at the right edge
  TDpiScale Scale;         // the fixed gaps are 96-DPI lengths
};

struct TCheckCellPlacement {
  TSkinRect Cell;       // where the glyph goes, one cell in size
  TSkinRect ClearArea;  // wiped with the face colour before the glyph is drawn
};

TCheckCellPlacement PlaceCheckCell(const TCheckCellInput& in);

// The source of frame `frame` in the strip (frames side by side).
TSkinRect CheckCellSource(const TCheckCellInput& in, int frame);

// A toolkit control's published Checked property, read back as text.
bool IsCheckedText(std::wstring_view text);
