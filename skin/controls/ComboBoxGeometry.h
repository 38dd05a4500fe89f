// Where a skinned combo box draws its drop-down button, and which part of the
// control is left to the platform's own edit field.
#pragma once

#include "skin/model/SkinGeometry.h"

struct TComboBoxLayout {
  TSkinRect EditArea;   // excluded from painting: the platform draws the text there
  TSkinRect Button;     // gets the button image's cell for the state
  TSkinRect ArrowArea;  // the extra arrow image is centred here
  bool Mirrored = false;  // use the left-right mirrored button image
};

// A combo box of the usual style, W x H, with buttons as wide as the
// platform's scroll bar (barThickness); a left scroll bar puts the button,
// mirrored, at the left.
TComboBoxLayout ComboBoxLayout(int width, int height, int barThickness, bool leftScrollBar);

// The flat style's button: the platform's thumb width wide, at the right, 2 px inside the control.
TSkinRect FlatComboButton(int width, int height, int thumbWidth);
