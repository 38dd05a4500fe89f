#include "skin/engine/PopupMenuFrame.h"

namespace {

TSkinRect InWindow(const TSkinRect& rect, int width, int height) {
  return NotInverted({std::clamp(rect.Left, 0, width), std::clamp(rect.Top, 0, height),
                      std::clamp(rect.Right, 0, width), std::clamp(rect.Bottom, 0, height)});
}

}  // namespace

std::array<TSkinRect, 4> PopupFrameStrips(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const int f = kPopupFrameWidth;
  return {InWindow({0, 0, width, f}, width, height), InWindow({0, height - f, width, height}, width, height),
          InWindow({0, f, f, height - f}, width, height), InWindow({width - f, f, width, height - f}, width, height)};
}

TSkinRect PopupItemArea(int width, int height) {
  const int f = kPopupFrameWidth;
  return NotInverted({f, f, ClampToInt(static_cast<long long>(width) - f), ClampToInt(static_cast<long long>(height) - f)});
}

TSkinRect PopupBackgroundSource(const TSkinRect& item) { return Offset(item, kPopupFrameWidth, kPopupFrameWidth); }

bool PaintsPopupFrame(bool ntPlatform, uint32_t windowsVersion) { return ntPlatform || (windowsVersion & 0x80000000u); }
