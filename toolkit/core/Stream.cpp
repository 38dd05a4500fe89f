#include "toolkit/core/Stream.h"

#include <algorithm>
#include <vector>

EReadError::EReadError() : EStreamError(L"Stream read error") {}
EWriteError::EWriteError() : EStreamError(L"Stream write error") {}

void TStream::SetSize(int32_t) {}

int32_t TStream::Size() {
  int32_t position = Seek(0, soFromCurrent);
  int32_t size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, int32_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError();
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError();
}

int32_t TStream::CopyFrom(TStream& source, int32_t count) {
  constexpr int32_t kMaxBlock = 0xF000;
  if (count < 0) return 0;
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<uint8_t> block(static_cast<size_t>(std::clamp(count, 0, kMaxBlock)));
  int32_t left = count;
  while (left > 0) {
    int32_t n = std::min(left, kMaxBlock);
    source.ReadBuffer(block.data(), n);
    WriteBuffer(block.data(), n);
    left -= n;
  }
  return count;
}
