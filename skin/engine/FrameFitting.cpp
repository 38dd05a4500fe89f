#include "skin/engine/FrameFitting.h"

namespace {

constexpr int kCaptionSpareBlanks = 7;

bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

TFitFrame FitFrame(const TFitFrameInput& in) {
  TFitFrame fit;
  const TFrameSizes& frame = in.Frame;
  long long width = static_cast<long long>(in.ClientAtAttach.Width()) + frame.Left + frame.Right;
  fit.ClientAtAttach = in.ClientAtAttach;
  if (in.Reload) {
    fit.ClientAtAttach = in.CurrentClient;
  } else if (in.ToolkitForm) {
    const long long height = static_cast<long long>(in.WindowHeight) - in.MenuHeight - 2LL * in.SystemFrameHeight -
                             in.SystemCaptionHeight;
    fit.ClientAtAttach.Bottom = ClampToInt(fit.ClientAtAttach.Top + height);
  }
  const long long height =
      static_cast<long long>(fit.ClientAtAttach.Height()) + frame.Top + frame.Bottom + in.MenuHeight;
  if (!in.Reload && in.WidensForCaption) {
    const TTitleMargins& title = in.Title;
    const long long needed = (static_cast<long long>(in.CaptionCells) + kCaptionSpareBlanks) * in.BlankWidth +
                             frame.Left + frame.Right + title.TextShift + title.TextRightClip + title.TXTBackleft +
                             title.TXTBackRight;
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

int CaptionCells(std::wstring_view caption) {
  int cells = 0;
  for (wchar_t c : caption) {
    if (IsLowSurrogate(c)) continue;  // the pair was counted at its first half
    cells += static_cast<unsigned long>(c) < 0x80 ? 1 : 2;
  }
  return cells;
}
