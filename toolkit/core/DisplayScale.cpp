#include "toolkit/core/DisplayScale.h"

#include <limits>

int MulDivRound(int a, int b, int c) {
  if (c == 0) return 0;
  int64_t product = int64_t(a) * int64_t(b);
  int64_t divisor = c;
  if (divisor < 0) product = -product, divisor = -divisor;
  int64_t half = divisor / 2;
  // Truncating division, corrected to round halves away from zero.
  int64_t result = product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
  if (result > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (result < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return int(result);
}
