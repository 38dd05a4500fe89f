// What the skin engine's painters share while the engine runs: one scratch
// bitmap that frames, menu bars, status bars, progress bars and speed buttons
// are drawn through (stretching colour on colour, so the skin's transparent
// colour never blends), and one string list.
#pragma once

#include "toolkit/core/StringList.h"
#include "toolkit/graphics/Graphics.h"

struct TSkinShared {
  TSkinShared() { Scratch.Canvas().SetStretchMode(COLORONCOLOR); }
  TBitmap Scratch;
  TStringList Strings;
};

// Made when the engine starts, freed when it stops; starting twice keeps the first.
void StartSkinShared();
void StopSkinShared();
// None while the engine is stopped: painters then leave the platform's look.
TSkinShared* SkinShared();
