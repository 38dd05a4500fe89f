#include "skin/controls/TabGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "skin/controls/PlatformValues.h"
#include "skin/controls/RectOps.h"

namespace {

constexpr int kPageInflate = 4;
constexpr int kTabTextPadding = 9;
// A tab beside a visible scroller needs room for the scroller's arrows too.
constexpr int kTabRoomBesideScroller = 21;

}  // namespace

TTabOrientation TabOrientationOf(uint32_t style) {
  const bool bottom = style & kTcsBottom, vertical = style & kTcsVertical;
  if (vertical) return bottom ? toRight : toLeft;
  return bottom ? toBottom : toTop;
}

TTabImageTurns TabImageTurns(TTabOrientation orientation) {
  switch (orientation) {
    case toBottom: return {itFlipVertical, itFlipVertical, itNone};
    case toLeft: return {itNone, itRotateLeft, itRotateLeft};
    case toRight: return {itNone, itRotateRight, itRotateRight};
    default: return {};
  }
}

TTabStrip TabStripLayout(const TSkinRect& window, const TSkinRect& displayArea, TTabOrientation orientation) {
  // Per side: the page's edge towards the strip, the strip's edge that meets
  // it, and which way is into the page.
  struct TSide {
    int TSkinRect::*PageEdge;
    int TSkinRect::*StripEdge;
    int IntoPage;
  };
  static constexpr TSide kSides[] = {{&TSkinRect::Top, &TSkinRect::Bottom, 1},
                                     {&TSkinRect::Bottom, &TSkinRect::Top, -1},
                                     {&TSkinRect::Left, &TSkinRect::Right, 1},
                                     {&TSkinRect::Right, &TSkinRect::Left, -1}};
  const TSide& side = kSides[orientation];
  TTabStrip s;
  s.Page = Inflated(displayArea, kPageInflate, kPageInflate);
  s.Page.*side.PageEdge += side.IntoPage;
  s.Strip = window;
  s.Strip.*side.StripEdge = s.Page.*side.PageEdge;
  const bool sideways = orientation == toLeft || orientation == toRight;
  s.BufferWidth = sideways ? s.Strip.Height() : s.Strip.Width();
  s.BufferHeight = sideways ? s.Strip.Width() : s.Strip.Height();
  return s;
}

TSkinRect TabRectInBuffer(const TSkinRect& tab, const TTabStrip& strip, TTabOrientation orientation) {
  // Relative to the strip's top-left corner first.
  const TSkinRect r = Moved(tab, -strip.Strip.Left, -strip.Strip.Top);
  switch (orientation) {
    case toTop: return Moved(r, 0, 1);
    case toBottom: return Moved(r, 0, -1);
    // Turning left takes the buffer's top to the left and its left end to the
    // bottom; turning right takes its top to the right and its left end to the top.
    case toLeft: return {strip.BufferWidth - r.Bottom, r.Left, strip.BufferWidth - r.Top, r.Right};
    case toRight: return {r.Top, strip.BufferHeight - r.Right, r.Bottom, strip.BufferHeight - r.Left};
  }
  return r;
}

std::vector<TSkinRect> TabSetLayout(const TTabSetInput& in) {
  std::vector<TSkinRect> tabs;
  const int64_t end = std::min<int64_t>(int64_t(in.Width) - in.EndMargin, INT_MAX);
  const int room = in.ScrollerVisible ? kTabRoomBesideScroller : kTabTextPadding;
  int64_t x = in.StartMargin;
  for (int text : in.TextWidths) {
    if (x + text + room > end) break;
    tabs.push_back({int(x), 0, int(x + text + kTabTextPadding), in.Height});
    x += text + kTabTextPadding;
  }
  return tabs;
}
