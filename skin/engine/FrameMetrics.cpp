#include "skin/engine/FrameMetrics.h"

#include <algorithm>

namespace {

int FrameSize(int imageSize, int frameCount) { return imageSize / std::max(frameCount, 1); }

}  // namespace

TFrameSizes FrameSizesOf(const TBorderImage& left, const TBorderImage& right, const TBorderImage& top,
                         const TBorderImage& bottom, TFrameKind frameKind) {
  if (frameKind == frPlatform) return {};
  return {FrameSize(left.Width, left.FrameCount), FrameSize(top.Height, top.FrameCount),
          FrameSize(right.Width, right.FrameCount), FrameSize(bottom.Height, bottom.FrameCount)};
}

TSkinRect NcClientRect(int x, int y, int cx, int cy, const TFrameSizes& frame, int menuHeight) {
  const long long left = x, top = y;
  return NotInverted({ClampToInt(left + frame.Left), ClampToInt(top + frame.Top + menuHeight),
                      ClampToInt(left + cx - frame.Right), ClampToInt(top + cy - frame.Bottom)});
}

TSkinPoint ClientToWindow(TSkinPoint client, TSkinWindowState state, const TFrameSizes& frame, int menuHeight) {
  if (state == swMinimised) return client;
  return {ClampToInt(static_cast<long long>(client.X) + frame.Left),
          ClampToInt(static_cast<long long>(client.Y) + frame.Top + menuHeight)};
}

TSkinSize DetachedWindowSize(TSkinSize window, TSkinSize platformFrame, const TFrameSizes& frame, int menuHeight) {
  return {ClampToInt(static_cast<long long>(window.Width) + platformFrame.Width - frame.Left - frame.Right),
          ClampToInt(static_cast<long long>(window.Height) + platformFrame.Height - frame.Top - menuHeight -
                     frame.Bottom)};
}
