// The geometry of skinned scroll bars: where a scrolling window's bars lie,
// how one bar is laid out in its off-screen bitmap (arrows from the skin's
// 23-cell strip, track, thumb), the thumb's length and offset from the
// scroll information, what a press on the bar hits, and the position a
// dragged thumb stands for.
#pragma once

#include <optional>

#include "skin/model/SkinGeometry.h"
#include "toolkit/core/DisplayScale.h"

// ---- The bars of a scrolling window ----

struct TScrollFrameInput {
  int WindowWidth = 0;
  int WindowHeight = 0;
  int ClientWidth = 0;
  int ClientHeight = 0;
  int EdgeWidth = 0;      // the platform's 3-D edge width, the border without bars
  int BarThickness = 0;   // the platform's horizontal-bar height (also the arrows' length)
  bool Horizontal = false;  // which bars are present
  bool Vertical = false;
  bool LeftScrollBar = false;  // the vertical bar stands at the left
};

// In window coordinates; a missing bar, and the corner unless both are present, stay empty.
struct TScrollFrameRects {
  int Border = 0;
  TSkinRect Horizontal;
  TSkinRect Vertical;
  TSkinRect Corner;
};

// The border is measured from the bars actually present, so that windows with
// thicker frames than the platform's edge still get their bars in place.
TScrollFrameRects ScrollFrameRects(const TScrollFrameInput& in);

// ---- The thumb ----

// A bar's scroll information (the values the platform keeps; the page is
// never more than the range plus one).
struct TScrollValues {
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Pos = 0;
};

// Stored per bar and used for painting, hit testing and dragging.
struct TThumbGeometry {
  int TrackLength = 0;   // between the arrows
  int ThumbLength = 0;
  int ThumbOffset = 0;   // from the end of the first arrow
};

// The smallest thumb: half the bar thickness on the old non-NT family, else
// 8 pixels at 96 DPI taken to scale.
int MinimumThumbLength(int barThickness, bool nonNtFamily, const TDpiScale& scale = {});

// The thumb of a bar barLength long from its scroll information, or nothing
// when the range (Max - Min) is not positive, or too large for 32 bits, so
// that the stored geometry stays as it was. defaultThumb (the platform's
// thumb width) serves a bar without a page. A page equal to the range gives
// a thumb one pixel shorter than the track, at offset 0.
std::optional<TThumbGeometry> ScrollThumb(int barLength, int barThickness, const TScrollValues& info,
                                          int minThumb, int defaultThumb);

// The same for a stand-alone scroll-bar control, whose range counts both
// ends (Max - Min + 1); nothing when Max is below Min.
std::optional<TThumbGeometry> ScrollControlThumb(int barLength, int barThickness, const TScrollValues& values,
                                                 int minThumb, int defaultThumb);

// ---- One bar in its off-screen bitmap ----

// A bar is painted into a bitmap of this thickness (at 96 DPI) and the bar's
// length, then stretched onto the bar.
constexpr int kBarBitmapThickness = 16;
// Cells of the "Scrollbar" strip and frames of the track and thumb elements.
constexpr int kScrollStripCells = 23;
constexpr int kScrollTrackFrames = 4;

enum TScrollArrow { saLeft, saRight, saUp, saDown };

// The cell (1-based) of an arrow in the strip: left 1, right 5, up 9, down 13,
// each followed by its pressed form.
int ScrollArrowCell(TScrollArrow arrow, bool pressed);

// PressedPart values: which arrow or thumb the user is working.
enum TScrollPart {
  spNone, spLeftArrow, spRightArrow, spUpArrow, spDownArrow, spHorzThumb, spVertThumb
};

// The pressed part for a scroll request code while its message is processed.
TScrollPart PressedPartFor(bool vertical, int code);

struct TBarLayout {
  TSkinRect Bitmap;       // the off-screen bitmap, at the origin
  int ArrowLength = 0;    // each arrow's length; half the bar when it is too short for two
  TSkinRect FirstArrow;   // left or up
  TSkinRect SecondArrow;  // right or down
  int FirstArrowCell = 0;
  int SecondArrowCell = 0;
  TSkinRect Track;        // between two full-length arrows; empty when they do not fit
  TSkinRect Thumb;        // empty when not drawn
  int ThumbFrame = 1;     // 2 while this bar's thumb is dragged
};

// The parts of a bar of the given rectangle in its bitmap, or nothing when
// the bitmap would be empty or longer than 10000 pixels (a bar is skipped then).
// The bitmap's thickness is kBarBitmapThickness taken to scale.
std::optional<TBarLayout> LayoutBar(const TSkinRect& bar, bool vertical, int barThickness,
                                    const TThumbGeometry& thumb, TScrollPart pressed, const TDpiScale& scale = {});

// ---- Pressing and dragging ----

enum TScrollHit { shLineUp, shPageUp, shThumb, shPageDown, shLineDown, shOutside };

// What a press at distance d along the bar hits (client coordinates; d from the bar's start).
TScrollHit ScrollHitAt(int d, int arrowLength, const TThumbGeometry& thumb);

struct TThumbDrag {
  int Offset = 0;    // the thumb's new offset in the track
  int Position = 0;  // the scroll position it stands for
};

// Where the thumb stands after moving `movement` pixels from startOffset, and
// the position that gives. A paged bar lets the thumb run to the track's end
// and maps its last page to Max - Page + 1; a bar without a page stops the
// thumb at the end of the track.
TThumbDrag DragThumb(int startOffset, int movement, const TThumbGeometry& thumb, const TScrollValues& info);
