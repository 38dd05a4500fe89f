// Points and the rectangle arithmetic of the frame code. Skin numbers come
// from a description anyone can write, so sums of them saturate at the int
// range instead of overflowing.
#pragma once

#include <algorithm>
#include <climits>

#include "skin/model/SkinGeometry.h"

struct TSkinPoint {
  int X = 0, Y = 0;
  bool operator==(const TSkinPoint&) const = default;
};

struct TSkinSize {
  int Width = 0, Height = 0;
  bool operator==(const TSkinSize&) const = default;
};

constexpr int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// Right and bottom are outside, as the platform's PtInRect has it.
constexpr bool Contains(const TSkinRect& rect, TSkinPoint point) {
  return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom;
}

constexpr TSkinRect Offset(const TSkinRect& rect, long long dx, long long dy) {
  return {ClampToInt(rect.Left + dx), ClampToInt(rect.Top + dy), ClampToInt(rect.Right + dx),
          ClampToInt(rect.Bottom + dy)};
}

// An inverted rectangle made empty at its left and top: the platform's region
// calls would swap its edges and cover what lies between them.
constexpr TSkinRect NotInverted(const TSkinRect& rect) {
  return {rect.Left, rect.Top, std::max(rect.Left, rect.Right), std::max(rect.Top, rect.Bottom)};
}
