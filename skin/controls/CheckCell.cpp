#include "skin/controls/CheckCell.h"

#include <string>

#include "toolkit/core/WideText.h"

namespace {

// Skin glyphs narrower than the platform's 14-pixel box are centred where the
// box would stand; wider ones keep to the edge (one pixel in on the right).
constexpr int kPlatformBox = 14;
constexpr int kWideGlyph = 15;
// The wiped strip runs past the menu check-mark width into the caption's gap.
constexpr int kClearBeyondCheck = 3;

}  // namespace

TSkinRect CheckCellSource(const TCheckCellInput& in, int frame) {
  return FrameRect(in.ImageWidth, in.ImageHeight, false, in.FrameCount, frame);
}

TCheckCellPlacement PlaceCheckCell(const TCheckCellInput& in) {
  const TSkinRect source = CheckCellSource(in, 1);
  const int width = source.Width(), height = source.Height();
  const TSkinRect& b = in.Bounds;
  const int top = b.Top + (b.Height() - height) / 2;
  const int box = in.Scale.Scale(kPlatformBox), clearBeyond = in.Scale.Scale(kClearBeyondCheck);
  const bool narrow = width < in.Scale.Scale(kWideGlyph);
  TCheckCellPlacement place;
  if (in.LeftText) {
    int right = b.Right - (narrow ? (box - width) / 2 : in.Scale.Scale(1));
    place.Cell = {right - width, top, right, top + height};
    place.ClearArea = {b.Right - in.MenuCheckWidth - clearBeyond, b.Top, b.Right, b.Bottom};
  } else {
    int left = b.Left + (narrow ? (box - width) / 2 : 0);
    place.Cell = {left, top, left + width, top + height};
    place.ClearArea = {b.Left, b.Top, b.Left + in.MenuCheckWidth + clearBeyond, b.Bottom};
  }
  return place;
}

bool IsCheckedText(std::wstring_view text) { return UpperCase(std::wstring(text)) == L"TRUE"; }
