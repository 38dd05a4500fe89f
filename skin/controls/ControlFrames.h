// Which frame of a skin image a control shows for its state, and which glyph
// cell and caption colour go with it. Frames count from 1: 1 normal,
// 2 pressed (or checked), 3 disabled, 4 mouse over or focused.
#pragma once

#include <cstdint>

struct TControlState {
  bool Hot = false;
  bool Pressed = false;
  bool Focused = false;
  bool Enabled = true;
};

// Push, bit and speed buttons: pressed beats focus and hot, and a disabled
// button shows 3 whatever else holds. A speed button that is Down counts as pressed.
int ButtonFrame(const TControlState& state);

// Combo boxes rank the other way round: pressed, focused or hot win over
// disabled, which shows only on an otherwise idle box.
int ComboBoxFrame(const TControlState& state);

// Check boxes, and radio buttons (never indeterminate): the indeterminate
// state shares frame 4 with a disabled checked box.
int CheckBoxFrame(bool checked, bool indeterminate, bool enabled);

// The frame of a tool-bar button from its custom-draw item-state bits,
// tested in the order selected, focus or hot, greyed or disabled, default;
// 0 when none is set and nothing is drawn.
int ToolButtonFrame(uint32_t itemState);

// The zero-based glyph cell for a button frame. A bit button shows a state's
// own cell only from a strip of exactly four; a speed button shows it
// whenever the strip has that many cells, else the first.
int BitButtonGlyphCell(int frame, int numGlyphs);
int SpeedButtonGlyphCell(int frame, int numGlyphs);

// Caption colours as 0x00BBGGRR (or the model's system-colour form); Has*
// tells whether the skin gave that key.
struct TButtonTextColours {
  uint32_t ButtonText = 0;
  uint32_t Normal = 0;
  uint32_t MouseOver = 0;
  uint32_t Pressed = 0;
  uint32_t Disabled = 0;  // the system's button-shadow colour
  bool HasNormal = false;
  bool HasMouseOver = false;
  bool HasPressed = false;
};

// A push button takes the frame's colour whether or not the skin gave it
// (an ungiven one defaults to ButtonText anyway).
uint32_t ButtonCaptionColour(const TButtonTextColours& colours, int frame);
// A bit or speed button keeps its own font colour unless the skin gave the frame's.
uint32_t BitButtonCaptionColour(const TButtonTextColours& colours, int frame, uint32_t fontColour);
