#include "skin/engine/CaptionLayout.h"

#include <algorithm>

#include "skin/engine/WindowValues.h"

using namespace WinValue;

// A window title is no menu caption: its "&" is shown, not taken as an access key.
const unsigned kCaptionMeasureFormat = kDtCalcRect | kDtNoClip | kDtNoPrefix;

namespace {

constexpr int kAlignShift = 0, kAlignCentre = 1, kAlignRight = 2;

long long HorizontalShift(const TCaptionInput& in, long long blockWidth) {
  const long long titleWidth = static_cast<long long>(in.Title.Right) - in.Title.Left;
  const int alignment = in.RightToLeft ? kAlignRight : in.Element.TextAlignment;
  switch (alignment) {
    case kAlignShift:
      return in.Element.TextShift;
    case kAlignCentre:
      return (titleWidth - blockWidth) / 2;
    case kAlignRight:
      return titleWidth - in.Element.TextRightClip - blockWidth;
    default:
      return 0;
  }
}

}  // namespace

TCaptionLayout LayoutCaption(const TCaptionInput& in) {
  const TTitleText& title = in.Element;
  const long long blockWidth = static_cast<long long>(in.Text.Width) + title.TXTBackleft + title.TXTBackRight;
  const long long blockHeight = in.Text.Height;
  const long long titleHeight = static_cast<long long>(in.Title.Bottom) - in.Title.Top;
  const long long left = in.Title.Left + HorizontalShift(in, blockWidth);
  const long long top = in.Title.Top + (titleHeight - blockHeight) / 2 + title.TextShiftVert / 2;
  long long right = left + blockWidth;
  const long long buttonsEnd = static_cast<long long>(in.RightmostButtonLeft) - kCaptionButtonGap;
  if (!in.Popup) {
    right = std::min<long long>(right, static_cast<long long>(in.Title.Right) - title.TextRightClip);
  } else {
    right = std::max(right, buttonsEnd);
    // A caption longer than that ends there too, rather than under the buttons.
    if (in.RightmostButtonLeft > 0) right = std::min(right, buttonsEnd);
  }

  TCaptionLayout layout;
  layout.CaptionRect = {ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(top + blockHeight)};
  layout.TextBack = {layout.CaptionRect.Left, in.Title.Top, layout.CaptionRect.Right, in.Title.Bottom};
  layout.TextRect = {ClampToInt(left + title.TXTBackleft), layout.CaptionRect.Top,
                     ClampToInt(right - title.TXTBackRight), layout.CaptionRect.Bottom};
  layout.DrawFormat = kDtSingleLine | kDtEndEllipsis | kDtNoPrefix | (in.RightToLeft ? kDtRight : 0);
  return layout;
}

int CaptionButtonsRoom(int windowWidth, int rightmostButtonLeft, int frameRight) {
  if (rightmostButtonLeft <= 0) return 0;
  return ClampToInt(static_cast<long long>(windowWidth) - frameRight - rightmostButtonLeft + kCaptionButtonGap);
}

std::wstring MeasuredCaption(const std::wstring& prefix, const std::wstring& caption) {
  return prefix + L" " + caption;
}

std::wstring DrawnCaption(const std::wstring& prefix, const std::wstring& caption) { return prefix + caption; }

int TextBackFrame(bool active) { return active ? 1 : 2; }
