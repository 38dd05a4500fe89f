// Display scale arithmetic: layouts are given in pixels at 96 DPI, and every
// length, rectangle and font height is taken to a window's DPI with the
// platform's rounding (the nearest whole pixel, halves away from zero).
#pragma once

#include <cstdint>

constexpr int kLayoutDpi = 96;

// a × b / c rounded to the nearest integer, halves away from zero, in 64 bits
// so no product overflows; c = 0 gives 0, and a result beyond int is clamped.
int MulDivRound(int a, int b, int c);

struct TScaledRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TScaledRect&) const = default;
};

// A DPI to draw at: Scale takes a 96-DPI length there, Unscale brings one back.
// A DPI below 1 counts as 96.
class TDpiScale {
 public:
  constexpr TDpiScale() = default;
  constexpr explicit TDpiScale(int dpi) : FDpi(dpi > 0 ? dpi : kLayoutDpi) {}

  constexpr int Dpi() const { return FDpi; }
  constexpr bool IsIdentity() const { return FDpi == kLayoutDpi; }
  // Whole-number scales (192 is twice 96) replicate pixels; the others filter.
  constexpr bool IsWhole() const { return FDpi % kLayoutDpi == 0; }
  constexpr int WholeFactor() const { return FDpi / kLayoutDpi; }
  // From 175 % up images drawn at twice the size are the better source.
  constexpr bool PrefersDoubleImages() const { return FDpi * 4 >= kLayoutDpi * 7; }

  int Scale(int value) const { return MulDivRound(value, FDpi, kLayoutDpi); }
  int Unscale(int value) const { return MulDivRound(value, kLayoutDpi, FDpi); }
  // Lengths given at another DPI (an image drawn for 192) taken to this one.
  int ScaleFrom(int value, int fromDpi) const { return MulDivRound(value, FDpi, fromDpi > 0 ? fromDpi : kLayoutDpi); }
  // Each edge is scaled, so neighbours stay neighbours; a size may then
  // differ by one pixel from the scaled size.
  TScaledRect Scale(const TScaledRect& rect) const {
    return {Scale(rect.Left), Scale(rect.Top), Scale(rect.Right), Scale(rect.Bottom)};
  }
  TScaledRect Unscale(const TScaledRect& rect) const {
    return {Unscale(rect.Left), Unscale(rect.Top), Unscale(rect.Right), Unscale(rect.Bottom)};
  }

  bool operator==(const TDpiScale&) const = default;

 private:
  int FDpi = kLayoutDpi;
};
