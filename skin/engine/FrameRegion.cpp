#include "skin/engine/FrameRegion.h"

#include <algorithm>

namespace {

bool RegionIsCurrent(const TRegionInput& in) {
  return in.Width == in.RegionWidth && in.Height == in.RegionHeight && in.FormKind != fkMdiChild &&
         in.Life != flReloading;
}

TRegionPart Part(TBorderSide side, bool fromPixels, const TSkinRect& area) {
  return {side, fromPixels ? rsRenderedPiece : rsRectangle, NotInverted(area)};
}

}  // namespace

std::optional<TRegionPlan> PlanFrameRegion(const TRegionInput& in) {
  if (in.Width <= 0 || in.Height <= 0) return std::nullopt;
  if (in.FormKind == fkMdiChild && in.WindowState != swNormal) return std::nullopt;
  if (RegionIsCurrent(in)) return std::nullopt;

  TRegionPlan plan;
  if (std::none_of(std::begin(in.Trans), std::end(in.Trans), [](int trans) { return trans != 0; })) {
    plan.Base = {0, 0, in.Width, in.Height};
    return plan;
  }
  const TFrameSizes& f = in.Frame;
  const TFrameLayout layout = LayoutFrame(in.Width, in.Height, f, 0);
  plan.RecordSize = true;
  plan.Base = NotInverted({f.Left, f.Top, layout.Right.Left, layout.Bottom.Top});
  if (in.FrameKind == frPlatform) return plan;

  const int left = in.Trans[0], right = in.Trans[1], top = in.Trans[2], bottom = in.Trans[3];
  plan.Parts.push_back(Part(bdLeft, left == 1 && in.Height > 1, layout.Left));
  plan.Parts.push_back(Part(bdRight, right == 1 && in.Height > 1, layout.Right));
  const TSkinRect band = NotInverted(layout.Title);
  TRegionPart title = Part(bdTop, false, band);
  if (top == 1 && f.Top > 1 && !band.IsEmpty()) title.Source = in.TitleCachePainted ? rsTitleCache : rsRenderedPiece;
  plan.Parts.push_back(title);
  plan.Parts.push_back(Part(bdBottom, bottom == 1 && f.Bottom >= 2, layout.Bottom));
  return plan;
}
