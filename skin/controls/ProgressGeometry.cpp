#include "skin/controls/ProgressGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// A position beyond the upper limit (which the platform's bar never reports)
// fills the bar and no more.
int FilledWidth(const TSkinRect& bar, int position, int upper) {
  if (position <= 0 || upper <= 0 || bar.Width() <= 0) return 0;
  return int(std::min<int64_t>(int64_t(position) * bar.Width() / upper, bar.Width()));
}

}  // namespace

TSkinRect ProgressFill(const TSkinRect& bar, int position, int upper) {
  int filled = FilledWidth(bar, position, upper);
  if (filled == 0) return {};
  return {bar.Left, bar.Top, bar.Left + filled, bar.Bottom};
}

std::vector<TSkinRect> ProgressChunks(const TSkinRect& bar, int position, int upper, int leftMargin, int chunkWidth,
                                      int chunkHeight) {
  std::vector<TSkinRect> chunks;
  int filled = FilledWidth(bar, position, upper);
  if (filled == 0 || chunkWidth <= 0 || chunkHeight <= 0) return chunks;
  const int top = bar.Top + (bar.Height() - chunkHeight) / 2;
  const int count = filled / chunkWidth + 1;
  // A skin's margin can be any 32-bit value; chunks beyond the coordinate range are left out.
  int64_t x = int64_t(bar.Left) + leftMargin;
  for (int i = 0; i < count; ++i, x += chunkWidth)
    if (x >= INT_MIN && x + chunkWidth <= INT_MAX) chunks.push_back({int(x), top, int(x + chunkWidth), top + chunkHeight});
  return chunks;
}
