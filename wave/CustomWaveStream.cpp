#include "wave/CustomWaveStream.h"

#include <algorithm>

#include "wave/WaveFormat.h"

// A negative WaveSize means the data has no end (a live capture), so none of
// the clamps to WaveSize below apply to such a stream.

int32_t TCustomWaveStream::Read(void* buffer, int32_t count) {
  count = std::max(count, 0);
  int32_t size = WaveSize();
  if (size >= 0) {
    DataPosition = std::min<int64_t>(DataPosition, size);
    count = static_cast<int32_t>(std::min<int64_t>(count, size - DataPosition));
  }
  int32_t n = ReadData(buffer, count);
  DataPosition += n;
  return n;
}

int32_t TCustomWaveStream::Write(const void* buffer, int32_t count) {
  int32_t size = WaveSize();
  if (size >= 0) DataPosition = std::min<int64_t>(DataPosition, size);
  int32_t n = WriteData(buffer, std::max(count, 0));
  DataPosition += n;
  return n;
}

int32_t TCustomWaveStream::Seek(int32_t offset, uint16_t origin) {
  int32_t size = WaveSize();
  int64_t position = DataPosition;
  switch (origin) {
    case soFromBeginning: position = offset; break;
    case soFromCurrent: position += offset; break;
    case soFromEnd: position = int64_t{size} + offset; break;
    default: break;
  }
  position = std::max<int64_t>(position, 0);
  if (size >= 0) position = std::min<int64_t>(position, size);
  DataPosition = position;
  return static_cast<int32_t>(std::min<int64_t>(position, INT32_MAX));
}

void TCustomWaveStream::SetSize(int32_t) {}

void TCustomWaveStream::SetPcmFormat(uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t channels) {
  SetFormatSize(sizeof(TWaveFormatEx));
  FillPcmFormat(*static_cast<TWaveFormatEx*>(Format()), samplesPerSec, bitsPerSample, channels);
}

void TCustomWaveStream2::SetFormatSize(int32_t size) {
  if (size < 0) throw EWaveStreamError(L"Format is invalid");
  FormatRecord.resize(static_cast<size_t>(size));
  if (size == 0) FormatRecord.shrink_to_fit();
}
