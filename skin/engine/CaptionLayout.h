// Where the title bar's caption goes: the block measured from the caption,
// shifted by the title element's alignment, clipped at its right end, the
// TextBack strip behind it and the rectangle the text is drawn in.
#pragma once

#include <string>

#include "skin/engine/Plane.h"

// The title element's text numbers (its LeftWidth, TopHeight and RightWidth
// hold TextShift, TextShiftVert and TextRightClip).
struct TTitleText {
  int TextShift = 0, TextShiftVert = 0, TextRightClip = 0;
  int TextAlignment = 0;
  int TXTBackleft = 0, TXTBackRight = 0;
};

struct TCaptionInput {
  TSkinRect Title;   // the title rectangle, window coordinates
  TSkinSize Text;    // MeasuredCaption measured with kCaptionMeasureFormat
  TTitleText Element;
  bool RightToLeft = false;
  bool Popup = false;  // the window style has WS_POPUP
  int RightmostButtonLeft = 0;  // from the previous button layout
};

struct TCaptionLayout {
  TSkinRect CaptionRect;  // the caption block; the buttons aligned to it follow it
  TSkinRect TextBack;     // where the TextBack image goes, the title's full height
  TSkinRect TextRect;     // where DrawnCaption is drawn
  unsigned DrawFormat = 0;
  bool operator==(const TCaptionLayout&) const = default;
};

// A popup's caption ends this far before the buttons at its right.
constexpr int kCaptionButtonGap = 5;

// DrawText flags for measuring the caption block.
extern const unsigned kCaptionMeasureFormat;

// The block starts at the title's top-left corner with the measured size,
// widened by the TextBack caps. It shifts right by TextShift (alignment 0),
// to the centre (1), or to end TextRightClip before the title's end (2, and
// always for right-to-left windows); vertically it is centred, then moved by
// half of TextShiftVert (divisions truncate toward zero). A window without
// WS_POPUP cuts the block at the title's right clip; a popup's block ends 5
// pixels before the rightmost right-aligned button, short or long (before any
// button has been placed it keeps its measured end).
TCaptionLayout LayoutCaption(const TCaptionInput& in);

// How much of the title's right end a popup's caption leaves to the buttons
// placed from the window's right: from the title's end to 5 pixels before the
// rightmost of them (RightmostButtonLeft of a layout at that window width).
// 0 when no such button was placed.
int CaptionButtonsRoom(int windowWidth, int rightmostButtonLeft, int frameRight);

// The caption is measured with one blank more than it is drawn with.
std::wstring MeasuredCaption(const std::wstring& prefix, const std::wstring& caption);
std::wstring DrawnCaption(const std::wstring& prefix, const std::wstring& caption);

// The TextBack image holds two frames stacked: active, inactive.
int TextBackFrame(bool active);
