// Small operations on skin rectangles that the control layouts share.
#pragma once

#include "skin/model/SkinGeometry.h"

inline TSkinRect Moved(const TSkinRect& rect, int dx, int dy) {
  return {rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy};
}

// Grown by dx and dy on each side (shrunk for negative values).
inline TSkinRect Inflated(const TSkinRect& rect, int dx, int dy) {
  return {rect.Left - dx, rect.Top - dy, rect.Right + dx, rect.Bottom + dy};
}

// A width x height rectangle centred in area, the halves of the free room
// truncated toward zero (an odd pixel goes right and down).
inline TSkinRect CentredIn(const TSkinRect& area, int width, int height) {
  int left = area.Left + (area.Width() - width) / 2;
  int top = area.Top + (area.Height() - height) / 2;
  return {left, top, left + width, top + height};
}
