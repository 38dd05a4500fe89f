#include "skin/controls/StatusBarGeometry.h"

#include "skin/controls/RectOps.h"

namespace {

constexpr int kPanelTextInset = 2;

TStatusPanelLayout Panel(const TSkinRect& rect, THorzAlign align, TPanelEdge edge) {
  return {rect, Inflated(rect, -kPanelTextInset, 0), align, edge};
}

THorzAlign Mirrored(THorzAlign align) {
  if (align == haLeft) return haRight;
  if (align == haRight) return haLeft;
  return align;
}

}  // namespace

std::vector<TStatusPanelLayout> StatusBarPanels(int barWidth, int barHeight, bool simple,
                                                const std::vector<TStatusPanelInput>& panels, bool rightToLeft) {
  if (simple || panels.empty()) return {Panel({0, 0, barWidth, barHeight}, haLeft, peLowered)};
  std::vector<TStatusPanelLayout> layout;
  for (const TStatusPanelInput& panel : panels) {
    TSkinRect rect = panel.Rect;
    if (&panel == &panels.back()) rect.Right = barWidth;
    layout.push_back(Panel(rect, rightToLeft ? Mirrored(panel.Align) : panel.Align, panel.Edge));
  }
  return layout;
}
