// The two halves of a skinned up-down control, the state each shows and the
// frame of the skin's eight-frame up-down images that goes with it.
#pragma once

#include <array>
#include <cstdint>

#include "skin/model/SkinGeometry.h"

enum TUpDownButton { udUp, udDown, udLeft, udRight };

struct TUpDownHalf {
  TSkinRect Rect;
  TUpDownButton Button = udUp;
  // Where the fallback arrow is drawn: the centre, 2 px higher for up and down.
  int ArrowX = 0;
  int ArrowY = 0;
};

// Left and right halves when the skinner is told to, or the control's style
// says so; else top and bottom.
bool UpDownIsHorizontal(int horizontalField, uint32_t style);

// The first half is up (or left), the second down (or right); an odd pixel
// goes to the second. Inset takes 1 px off every side of the client first.
std::array<TUpDownHalf, 2> UpDownHalves(int clientWidth, int clientHeight, bool inset, bool horizontal);

// 3 for a disabled control; else 2 for the half under the cursor of a
// pressed control, 1 otherwise. Up-downs never show hot.
int UpDownHalfState(bool enabled, bool pressed, bool cursorInHalf);

// The frame in the vertical or horizontal up-down image: state + 4 for the
// second button (down, or right: left and right count from 0 in their image).
int UpDownFrame(int state, TUpDownButton button);
