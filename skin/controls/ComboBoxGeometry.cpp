#include "skin/controls/ComboBoxGeometry.h"

TComboBoxLayout ComboBoxLayout(int width, int height, int barThickness, bool leftScrollBar) {
  const int w = width, h = height, t = barThickness;
  if (leftScrollBar) return {{t + 4, 2, w - 2, h - 2}, {0, 0, t + 2, h}, {2, 0, t + 2, h}, true};
  return {{2, 2, w - t - 4, h - 2}, {w - t - 2, 0, w, h}, {w - t - 2, 0, w - 2, h}, false};
}

TSkinRect FlatComboButton(int width, int height, int thumbWidth) {
  return {width - 2 - thumbWidth, 2, width - 2, height - 2};
}
