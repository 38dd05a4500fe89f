#include "toolkit/core/MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <limits>

int32_t TMemoryStream::Read(void* buffer, int32_t count) {
  int32_t size = static_cast<int32_t>(FData.size());
  if (count <= 0 || FPosition >= size) return 0;
  int32_t n = std::min(count, size - FPosition);
  std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

// Writing past the end grows the block (zero-filling any gap left by a seek);
// a write that would take the block past 2 GiB moves nothing.
int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  int64_t end = int64_t{FPosition} + count;
  if (end > std::numeric_limits<int32_t>::max()) return 0;
  if (end > static_cast<int64_t>(FData.size())) FData.resize(static_cast<size_t>(end));
  std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition = static_cast<int32_t>(end);
  return count;
}

// Positions past the end are allowed (a later write fills the gap); a position
// before the start is refused, leaving the position unchanged.
int32_t TMemoryStream::Seek(int32_t offset, uint16_t origin) {
  int64_t base = origin == soFromBeginning ? 0
               : origin == soFromCurrent   ? FPosition
               : origin == soFromEnd       ? static_cast<int64_t>(FData.size())
                                           : FPosition;
  int64_t target = base + offset;
  if (target >= 0 && target <= std::numeric_limits<int32_t>::max()) FPosition = static_cast<int32_t>(target);
  return FPosition;
}

void TMemoryStream::SetSize(int32_t newSize) {
  FData.resize(static_cast<size_t>(std::max(newSize, 0)));
  FPosition = std::min(FPosition, static_cast<int32_t>(FData.size()));
}
