// Menu shortcuts: a virtual key in the low byte with Shift, Ctrl and Alt bits
// above it, and their text ("Ctrl+Shift+S"). Portable, so it builds natively.
#pragma once

#include <cstdint>
#include <string>

using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// "Shift+Ctrl+Alt+Key"; empty for no shortcut or a key without a name.
std::wstring ShortCutToText(TShortCut shortCut);
// The reverse, ignoring case and blanks around the parts; scNone for text it cannot read.
TShortCut TextToShortCut(const std::wstring& text);
