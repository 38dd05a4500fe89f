// The filled part of a skinned progress bar, drawn as a second frame over
// the empty one or as a row of chunk images.
#pragma once

#include <vector>

#include "skin/model/SkinGeometry.h"

// The part of bar from its left edge to left + position x width / upper;
// empty unless both position and upper limit are positive. The lower limit
// plays no part, even when it is not 0.
TSkinRect ProgressFill(const TSkinRect& bar, int position, int upper);

// Where the chunk images go over the same filled width: from the bar's left
// plus the element's left margin, as many whole chunks as fit into it and
// one more that runs past it, each centred vertically. None at position 0.
std::vector<TSkinRect> ProgressChunks(const TSkinRect& bar, int position, int upper, int leftMargin, int chunkWidth,
                                      int chunkHeight);
