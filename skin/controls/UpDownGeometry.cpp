#include "skin/controls/UpDownGeometry.h"

#include "skin/controls/PlatformValues.h"
#include "skin/controls/RectOps.h"

namespace {

constexpr int kArrowLift = 2;

TUpDownHalf Half(const TSkinRect& rect, TUpDownButton button) {
  TUpDownHalf half{rect, button, rect.Left + rect.Width() / 2, rect.Top + rect.Height() / 2};
  if (button == udUp || button == udDown) half.ArrowY -= kArrowLift;
  return half;
}

}  // namespace

bool UpDownIsHorizontal(int horizontalField, uint32_t style) {
  return horizontalField == 1 || (style & kUdsHorz) != 0;
}

std::array<TUpDownHalf, 2> UpDownHalves(int clientWidth, int clientHeight, bool inset, bool horizontal) {
  TSkinRect client{0, 0, clientWidth, clientHeight};
  if (inset) client = Inflated(client, -1, -1);
  TSkinRect first = client, second = client;
  if (horizontal) {
    first.Right = second.Left = client.Left + client.Width() / 2;
    return {Half(first, udLeft), Half(second, udRight)};
  }
  first.Bottom = second.Top = client.Top + client.Height() / 2;
  return {Half(first, udUp), Half(second, udDown)};
}

int UpDownHalfState(bool enabled, bool pressed, bool cursorInHalf) {
  if (!enabled) return 3;
  return pressed && cursorInHalf ? 2 : 1;
}

int UpDownFrame(int state, TUpDownButton button) {
  const bool second = button == udDown || button == udRight;
  return state + (second ? 4 : 0);
}
