#include "skin/controls/ScrollBarGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "skin/controls/PlatformValues.h"

namespace {

// The platform's MulDiv: a * b / c rounded half away from zero, -1 for a zero
// divisor or a result beyond 32 bits. The thumb arithmetic relies on both.
int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t product = int64_t(a) * b;
  int64_t divisor = c;
  if (divisor < 0) product = -product, divisor = -divisor;
  int64_t half = divisor / 2;
  int64_t result = (product >= 0 ? product + half : product - half) / divisor;
  return result > INT_MAX || result < -INT_MAX ? -1 : int(result);
}

int ClampToInt(int64_t value) { return int(std::clamp<int64_t>(value, INT_MIN, INT_MAX)); }

// The shared thumb rule over a positive range that fits 32 bits.
TThumbGeometry Thumb(int barLength, int barThickness, int range, const TScrollValues& info, int minThumb,
                     int defaultThumb) {
  TThumbGeometry g;
  // A bar too short for both arrows has no track rather than a negative one.
  g.TrackLength = std::max(ClampToInt(int64_t(barLength) - 2 * int64_t(barThickness)), 0);
  const int track = g.TrackLength;
  int length = info.Page != 0 ? std::max(MulDiv(info.Page, track, range), minThumb) : defaultThumb;
  length = std::min(length, track);
  int offset;
  if (info.Page == range) {
    offset = 0;
    length -= 1;
  } else {
    offset = MulDiv(ClampToInt(int64_t(info.Pos) - info.Min), track - length,
                    ClampToInt(int64_t(range) - info.Page));
    offset = std::min(offset, track - length);
  }
  // A position below Min, or a page beyond the range, would put the thumb
  // over the first arrow.
  g.ThumbLength = std::max(length, 0);
  g.ThumbOffset = std::max(offset, 0);
  return g;
}

}  // namespace

TScrollFrameRects ScrollFrameRects(const TScrollFrameInput& in) {
  const int w = in.WindowWidth, h = in.WindowHeight, t = in.BarThickness;
  int b = in.EdgeWidth;
  if (in.Vertical)
    b = (w - in.ClientWidth - t) / 2;
  else if (in.Horizontal)
    b = (h - in.ClientHeight - t) / 2;
  TScrollFrameRects r;
  r.Border = b;
  const bool both = in.Horizontal && in.Vertical;
  if (!in.LeftScrollBar) {
    if (in.Horizontal) r.Horizontal = {b, h - b - t, both ? w - b - t : w - b, h - b};
    if (in.Vertical) r.Vertical = {w - b - t, b, w - b, both ? h - b - t : h - b};
    if (both) r.Corner = {w - b - t, h - b - t, w - b, h - b};
  } else {
    if (in.Horizontal) r.Horizontal = {both ? b + t : b, h - b - t, w - b, h - b};
    if (in.Vertical) r.Vertical = {b, b, b + t, both ? h - b - t : h - b};
    if (both) r.Corner = {b, h - b - t, b + t, h - b};
  }
  return r;
}

int MinimumThumbLength(int barThickness, bool nonNtFamily, const TDpiScale& scale) {
  return nonNtFamily ? barThickness / 2 : scale.Scale(8);
}

std::optional<TThumbGeometry> ScrollThumb(int barLength, int barThickness, const TScrollValues& info,
                                          int minThumb, int defaultThumb) {
  int64_t range = int64_t(info.Max) - info.Min;
  if (range <= 0 || range > INT_MAX) return std::nullopt;
  return Thumb(barLength, barThickness, int(range), info, minThumb, defaultThumb);
}

std::optional<TThumbGeometry> ScrollControlThumb(int barLength, int barThickness, const TScrollValues& values,
                                                 int minThumb, int defaultThumb) {
  int64_t range = int64_t(values.Max) - values.Min + 1;
  if (range <= 0 || range > INT_MAX) return std::nullopt;
  return Thumb(barLength, barThickness, int(range), values, minThumb, defaultThumb);
}

int ScrollArrowCell(TScrollArrow arrow, bool pressed) { return 1 + 4 * int(arrow) + (pressed ? 1 : 0); }

TScrollPart PressedPartFor(bool vertical, int code) {
  switch (code) {
    case kSbLineLeft: return vertical ? spUpArrow : spLeftArrow;
    case kSbLineRight: return vertical ? spDownArrow : spRightArrow;
    case kSbThumbTrack: return vertical ? spVertThumb : spHorzThumb;
    default: return spNone;
  }
}

std::optional<TBarLayout> LayoutBar(const TSkinRect& bar, bool vertical, int barThickness,
                                    const TThumbGeometry& thumb, TScrollPart pressed, const TDpiScale& scale) {
  constexpr int kMaxBarBitmap = 10000;
  const int length = vertical ? bar.Height() : bar.Width();
  if (length <= 0 || length > kMaxBarBitmap) return std::nullopt;
  const int t = barThickness;
  // Spans along the bar become rectangles across the bitmap's thickness.
  const int across = scale.Scale(kBarBitmapThickness);
  auto span = [vertical, across](int from, int to) {
    return vertical ? TSkinRect{0, from, across, to} : TSkinRect{from, 0, to, across};
  };
  TBarLayout l;
  l.Bitmap = span(0, length);
  l.ArrowLength = length < 2 * t ? length / 2 : t;
  l.FirstArrow = span(0, l.ArrowLength);
  l.SecondArrow = span(length - l.ArrowLength, length);
  const TScrollArrow first = vertical ? saUp : saLeft, second = vertical ? saDown : saRight;
  const TScrollPart firstPart = vertical ? spUpArrow : spLeftArrow, secondPart = vertical ? spDownArrow : spRightArrow;
  const TScrollPart thumbPart = vertical ? spVertThumb : spHorzThumb;
  l.FirstArrowCell = ScrollArrowCell(first, pressed == firstPart);
  l.SecondArrowCell = ScrollArrowCell(second, pressed == secondPart);
  if (length - t > t) l.Track = span(t, length - t);
  if (thumb.TrackLength >= thumb.ThumbLength && thumb.ThumbLength > 0) {
    int start = l.ArrowLength + thumb.ThumbOffset;
    l.Thumb = span(start, start + thumb.ThumbLength);
  }
  l.ThumbFrame = pressed == thumbPart ? 2 : 1;
  return l;
}

TScrollHit ScrollHitAt(int d, int arrowLength, const TThumbGeometry& thumb) {
  const int64_t a = arrowLength, offset = thumb.ThumbOffset, length = thumb.ThumbLength,
                track = thumb.TrackLength;
  if (d < a) return shLineUp;
  if (d < a + offset) return shPageUp;
  if (d < a + offset + length) return shThumb;
  if (d < a + track) return shPageDown;
  if (d < 2 * a + track) return shLineDown;
  return shOutside;
}

TThumbDrag DragThumb(int startOffset, int movement, const TThumbGeometry& thumb, const TScrollValues& info) {
  const int track = thumb.TrackLength;
  const int range = ClampToInt(int64_t(info.Max) - info.Min);
  int64_t offset = std::max<int64_t>(int64_t(startOffset) + movement, 0);
  int64_t pos;
  if (info.Page != 0) {
    offset = std::min<int64_t>(offset, track);
    pos = int64_t(info.Min) + MulDiv(int(offset), range, track);
    const int64_t lastPage = int64_t(info.Max) - info.Page;
    if (pos >= lastPage) pos = lastPage + 1;
  } else {
    offset = std::min<int64_t>(offset, track - thumb.ThumbLength);
    pos = int64_t(info.Min) + MulDiv(int(offset), range, track - thumb.ThumbLength);
    pos = std::min<int64_t>(pos, info.Max);
  }
  pos = std::max<int64_t>(pos, info.Min);
  return {int(offset), ClampToInt(pos)};
}
