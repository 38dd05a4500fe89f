#include "skin/controls/TextPlacement.h"

#include <algorithm>

#include "skin/controls/PlatformValues.h"

namespace {

constexpr int kItemTextInset = 2;
constexpr int kIconTextGap = 1;

}  // namespace

TSkinRect CaptionRect(const TSkinRect& target, int textWidth, int textHeight, bool centred) {
  TSkinRect rect{target.Left, target.Top, target.Left + textWidth, target.Top + textHeight};
  if (centred) {
    int dx = (target.Width() - textWidth) / 2;
    rect.Left += dx;
    rect.Right += dx;
  } else {
    rect.Right = target.Right;
  }
  int dy = (target.Height() - textHeight) / 2 - 1;
  rect.Top += dy;
  rect.Bottom += dy;
  return rect;
}

TIconTextPlacement PlaceIconAndText(const TSkinRect& item, int textWidth, int textHeight, int iconSize,
                                    THorzAlign align) {
  const int room = item.Width() - textWidth - iconSize;
  const int gap = iconSize > 0 ? kIconTextGap : 0;
  if (room - gap < 2 * kItemTextInset) align = haLeft;
  int x = item.Left;
  switch (align) {
    case haLeft: x += kItemTextInset; break;
    case haCentre: x += room / 2; break;
    case haRight: x += room - kItemTextInset; break;
  }
  TIconTextPlacement place;
  if (iconSize > 0) {
    int top = item.Top + (item.Height() - iconSize) / 2;
    place.Icon = {x, top, x + iconSize, top + iconSize};
    x += iconSize + kIconTextGap;
  }
  int top = item.Top + (item.Height() - textHeight) / 2;
  const int right = item.Right - kItemTextInset;
  place.Clipped = x + textWidth > right;
  place.Text = {x, top, place.Clipped ? std::max(x, right) : x + textWidth, top + textHeight};
  return place;
}

THorzAlign HeaderItemAlign(uint32_t format) {
  if (format & kHdfRight) return haRight;
  if (format & kHdfCenter) return haCentre;
  return haLeft;
}

bool HeaderItemShowsIcon(uint32_t format) { return (format & kHdfImage) != 0; }

TSkinRect GroupBoxFrame(int width, int height, int textHeight) { return {0, textHeight / 2 - 1, width, height}; }
