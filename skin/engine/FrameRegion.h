// BuildRegion's plan: whether a window's region must be rebuilt, and of which
// parts it is made (rectangles, or the opaque pixels of a rendered border
// piece or of the composed title bar).
#pragma once

#include <optional>
#include <vector>

#include "skin/engine/FramePieces.h"

struct TRegionInput {
  int Width = 0, Height = 0;  // the window's size
  TFrameSizes Frame;
  int Trans[4] = {};  // the border pieces' Trans, in the order left, right, top, bottom
  TFrameKind FrameKind = frPlain;
  TFormKind FormKind = fkOrdinary;
  TSkinWindowState WindowState = swNormal;
  TFrameLife Life = flSkinned;
  int RegionWidth = 0, RegionHeight = 0;  // the size the current region was built for
  bool TitleCachePainted = false;         // the title cache holds a painted title
};

enum TRegionSource {
  rsRectangle,      // Area itself
  rsRenderedPiece,  // the side's border piece rendered at Area's size (as PaintFrame renders it)
  rsTitleCache      // the title cache's band under Area
};

// A part of the region. The opaque pixels of a rendered piece or of the
// title cache's band count, moved to Area's top-left corner (OpaqueRuns with
// kRegionKey and kRegionTolerance).
struct TRegionPart {
  TBorderSide Side = bdLeft;
  TRegionSource Source = rsRectangle;
  TSkinRect Area;
  bool operator==(const TRegionPart&) const = default;
};

struct TRegionPlan {
  // Whether the region is recorded as built for this size; a window without a
  // transparent border piece is not, so it is rebuilt at every size change.
  bool RecordSize = false;
  TSkinRect Base;                  // the client part, or the whole window when no piece is transparent
  std::vector<TRegionPart> Parts;  // united with Base: left, right, top, bottom
};

// None when the region is left as it is: a window without area, an MDI child
// outside the normal state, or a region already built for this size (which an
// MDI child and a skin reload always rebuild). A transparent border piece
// (Trans set) makes the region the client part plus each side's part: the
// side pieces use their pixels when their Trans is 1 and the window is more
// than a pixel high, the bottom when its Trans is 1 and it is at least 2
// high, the top when its Trans is 1, the title is more than a pixel high and
// the band between the side pieces is not empty; every other part is its
// whole rectangle. A kind-2 frame has only the client part. Rectangles of a
// window smaller than its frame are empty rather than inverted.
std::optional<TRegionPlan> PlanFrameRegion(const TRegionInput& in);
