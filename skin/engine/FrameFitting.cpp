#include "skin/engine/FrameFitting.h"

#include <algorithm>

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
