#include "skin/engine/FrameFitting.h"

#include <algorithm>

#include "skin/engine/CaptionLayout.h"

TFitFrame FitFrame(const TFitFrameInput& in) {
  TFitFrame fit;
  const TFrameSizes& frame = in.Frame;
  long long width = static_cast<long long>(in.ClientAtAttach.Width()) + frame.Left + frame.Right;
  if (in.Reload) {
    fit.ClientAtAttach = in.CurrentClient;
  } else {
    long long clientWidth = in.CurrentClient.Width();
    long long clientHeight = static_cast<long long>(in.CurrentClient.Height()) - in.PlatformMenuHeight;
    if (in.CaptionRemoved) {
      clientWidth = static_cast<long long>(in.Window.Width) - in.PlatformFrame.Width;
      clientHeight = static_cast<long long>(in.Window.Height) - in.PlatformFrame.Height;
    }
    fit.ClientAtAttach = {0, 0, ClampToInt(std::max(0LL, clientWidth)), ClampToInt(std::max(0LL, clientHeight))};
    width = static_cast<long long>(fit.ClientAtAttach.Width()) + frame.Left + frame.Right;
  }
  const long long height =
      static_cast<long long>(fit.ClientAtAttach.Height()) + frame.Top + frame.Bottom + in.MenuHeight;
  if (!in.Reload && in.WidensForCaption) {
    const TTitleMargins& title = in.Title;
    const long long needed = static_cast<long long>(in.CaptionWidth) + frame.Left + frame.Right + title.TextShift +
                             std::max(title.TextRightClip, in.ButtonsRoom) + title.TXTBackleft + title.TXTBackRight;
    if (width < needed) {
      fit.ChildShift = ClampToInt((needed - width) / 2);
      width = needed;
    }
  }
  fit.Window = {ClampToInt(width), ClampToInt(height)};
  return fit;
}

bool IsMessageBoxClass(std::wstring_view windowClass) {
  return windowClass == L"TMessageForm" || windowClass == L"#32770";
}

TSkinSize MinTrackSize(const TMinTrackInput& in, std::span<const TSysButtonInfo> buttons, const TTitleState& state) {
  constexpr int kAlignLeft = 0, kAlignRight = 1;
  const TFrameSizes& frame = in.Frame;
  const TTitleMargins& title = in.Title;
  long long leftButtonsEnd = 0, rightButtonsRoom = 0, rightmostButton = -1;
  for (const TSysButtonInfo& button : buttons) {
    if (!DrawsInTitle(button, IsSysButtonVisible(button, state))) continue;
    const long long width = button.ImageWidth / std::max(button.FrameCount, 1);
    if (button.Align == kAlignLeft) leftButtonsEnd = std::max(leftButtonsEnd, button.Xcoord + width);
    if (button.Align != kAlignRight) continue;
    rightButtonsRoom = std::max<long long>(rightButtonsRoom, button.Xcoord);
    rightmostButton = rightmostButton < 0 ? button.Xcoord : std::min<long long>(rightmostButton, button.Xcoord);
  }
  long long captionEnd = static_cast<long long>(title.TextRightClip) + frame.Right;
  if (in.Popup && rightmostButton >= 0) captionEnd = rightmostButton + kCaptionButtonGap;
  const long long caption = static_cast<long long>(frame.Left) + title.TextShift + title.TXTBackleft +
                            in.CaptionMinWidth + title.TXTBackRight + captionEnd;
  const long long buttonsApart = leftButtonsEnd + (rightButtonsRoom > 0 ? kCaptionButtonGap + rightButtonsRoom : 0);
  const long long sides = static_cast<long long>(frame.Left) + frame.Right;
  return {ClampToInt(std::max({caption, buttonsApart, sides, 0LL})),
          ClampToInt(static_cast<long long>(frame.Top) + in.MenuHeight + frame.Bottom)};
}
