#include "skin/engine/SysButtonLayout.h"

#include <algorithm>

namespace {

constexpr int kCloseAction = 0, kMaximiseAction = 1, kMinimiseAction = 2;

bool Has(const TTitleState& state, uint8_t icon) { return state.BorderIcons & icon; }

// One visibility value. The first condition (Visibility) also asks for a
// system menu where the second does not.
bool VisibilityHolds(int value, bool first, int action, const TTitleState& state) {
  const bool maximised = state.WindowState == swMaximised;
  const bool systemMenu = !first || Has(state, kBorderSystemMenu);
  switch (value) {
    case 0:
      return !first || (state.FrameKind != frPlain && (action != kCloseAction || Has(state, kBorderSystemMenu)));
    case 1:
      return maximised;
    case 2:
      return !maximised;
    case 3:
      return state.Active;
    case 4:
      return !state.Active;
    case 6:
      return Has(state, kBorderMaximiseBox) && systemMenu;
    case 7:
      return !Has(state, kBorderMaximiseBox);
    case 8:
      return Has(state, kBorderMinimiseBox) && systemMenu;
    case 9:
      return !Has(state, kBorderMinimiseBox);
    case kMenuBarButtonVisibility:
      return state.FormKind == fkMdiFrame && state.ActiveMdiChildMaximised && state.MenuHeight > 0;
    default:
      return value >= 200 && value <= 2000;
  }
}

TSkinSize ButtonSize(const TSysButtonInfo& button) {
  return {button.ImageWidth / std::max(button.FrameCount, 1), button.ImageHeight};
}

TSkinPoint ButtonPosition(const TSysButtonInfo& button, TSkinSize size, const TButtonPlaceContext& place) {
  const long long x = button.Xcoord;
  const int y = button.Ycoord;
  switch (button.Align) {
    case 0:
      return {button.Xcoord, y};
    case 1:
      return {ClampToInt(place.WindowWidth - x), y};
    case 2:
    case 8:
      return {ClampToInt(place.CaptionRect.Left - static_cast<long long>(size.Width) - x), y};
    case 3:
    case 9:
      return {ClampToInt(x + place.CaptionRect.Right), y};
    case 100: {
      const long long inset = place.MenuBarLeftWidth.value_or(0);
      const long long left = place.RightToLeft ? x + place.Frame.Left + inset
                                               : place.WindowWidth - x - place.Frame.Right - inset;
      return {ClampToInt(left), ClampToInt((static_cast<long long>(place.MenuHeight) - size.Height) / 2 +
                                           place.Frame.Top)};
    }
    default:
      return {0, 0};
  }
}

}  // namespace

bool IsSysButtonVisible(const TSysButtonInfo& button, const TTitleState& state) {
  if (!VisibilityHolds(button.Visibility, true, button.Action, state) ||
      !VisibilityHolds(button.Visibility1, false, button.Action, state))
    return false;
  if (button.Action == kMaximiseAction && !Has(state, kBorderMaximiseBox)) return false;
  if (button.Action == kMinimiseAction && !Has(state, kBorderMinimiseBox)) return false;
  return true;
}

TSysButtonLayout LayoutSysButtons(std::span<const TSysButtonInfo> buttons, const TTitleState& state,
                                  const TButtonPlaceContext& place) {
  TSysButtonLayout layout;
  for (const TSysButtonInfo& button : buttons) {
    TSysButtonPlace& placed = layout.Buttons.emplace_back();
    placed.Visible = IsSysButtonVisible(button, state);
    if (!placed.Visible || button.ImageWidth <= 0 || button.ImageHeight <= 0) continue;
    const TSkinSize size = ButtonSize(button);
    const TSkinPoint at = ButtonPosition(button, size, place);
    placed.Bounds = TSkinRect{at.X, at.Y, ClampToInt(static_cast<long long>(at.X) + size.Width),
                              ClampToInt(static_cast<long long>(at.Y) + size.Height)};
    if (button.Align == 1) layout.RightmostButtonLeft = std::max(layout.RightmostButtonLeft, at.X);
  }
  return layout;
}

bool DrawsInTitle(const TSysButtonInfo& button, bool visible) {
  return visible && button.ImageWidth > 0 && button.ImageHeight > 0 &&
         button.Visibility != kMenuBarButtonVisibility;
}

bool IsIconAction(int action) { return action == 3 || action == 11; }

int TitleButtonFrame(bool active, int frameCount) { return active || frameCount < 4 ? 1 : 4; }

int ButtonStateFrame(int state, int visibility) {
  constexpr int kHot = 3, kHotMenuBarFrame = 4;
  return state == kHot && visibility == kMenuBarButtonVisibility ? kHotMenuBarFrame : state;
}
