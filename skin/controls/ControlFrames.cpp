#include "skin/controls/ControlFrames.h"

#include "skin/controls/PlatformValues.h"
#include "toolkit/core/ButtonLayout.h"

namespace {

constexpr int kNormal = 1, kPressed = 2, kDisabled = 3, kHot = 4;

// The glyph a button frame asks for: the strip's cells are normal, disabled, pressed.
TGlyphState GlyphFor(int frame) {
  if (frame == kPressed) return gsPressed;
  if (frame == kDisabled) return gsDisabled;
  return gsNormal;
}

}  // namespace

int ButtonFrame(const TControlState& state) {
  if (!state.Enabled) return kDisabled;
  if (state.Pressed) return kPressed;
  return state.Focused || state.Hot ? kHot : kNormal;
}

int ComboBoxFrame(const TControlState& state) {
  if (state.Pressed) return kPressed;
  if (state.Focused || state.Hot) return kHot;
  return state.Enabled ? kNormal : kDisabled;
}

int CheckBoxFrame(bool checked, bool indeterminate, bool enabled) {
  if (indeterminate) return kHot;
  if (!enabled) return checked ? kHot : kDisabled;
  return checked ? kPressed : kNormal;
}

int ToolButtonFrame(uint32_t itemState) {
  if (itemState & kCdisSelected) return kNormal;
  if (itemState & (kCdisFocus | kCdisHot)) return kHot;
  if (itemState & (kCdisGrayed | kCdisDisabled)) return kDisabled;
  if (itemState & kCdisDefault) return kNormal;
  return 0;
}

int BitButtonGlyphCell(int frame, int numGlyphs) { return GlyphCell(GlyphFor(frame), numGlyphs); }

int SpeedButtonGlyphCell(int frame, int numGlyphs) {
  int index = GlyphFor(frame);
  return index > numGlyphs ? 0 : index - 1;
}

uint32_t ButtonCaptionColour(const TButtonTextColours& colours, int frame) {
  switch (frame) {
    case kNormal: return colours.Normal;
    case kPressed: return colours.Pressed;
    case kDisabled: return colours.Disabled;
    case kHot: return colours.MouseOver;
    default: return colours.ButtonText;
  }
}

uint32_t BitButtonCaptionColour(const TButtonTextColours& colours, int frame, uint32_t fontColour) {
  if (frame == kDisabled) return colours.Disabled;
  if (frame == kNormal && colours.HasNormal) return colours.Normal;
  if (frame == kHot && colours.HasMouseOver) return colours.MouseOver;
  if (frame == kPressed && colours.HasPressed) return colours.Pressed;
  return fontColour;
}
