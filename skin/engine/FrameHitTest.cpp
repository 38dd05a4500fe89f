#include "skin/engine/FrameHitTest.h"

#include "skin/engine/WindowValues.h"

using namespace WinValue;

namespace {

// The rows above it answer HTNOWHERE.
constexpr int kLastDeadRow = 3;

}  // namespace

int FrameHitTest(int defaultCode, int windowY, int frameTop) {
  if (defaultCode != kHtNowhere || windowY <= kLastDeadRow) return defaultCode;
  return windowY > frameTop ? kHtMenu : kHtCaption;
}

int ButtonDownHitCode(int hitCode, TSkinWindowState state, bool active) {
  return state == swMaximised && active && hitCode == kHtCaption ? kHtMenu : hitCode;
}

bool RightClickOpensSystemMenu(int hitCode, TFormKind formKind) {
  return hitCode == kHtCaption && formKind != fkMdiChild;
}
