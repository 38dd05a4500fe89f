#include "wave/WaveStream.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

#include "wave/WaveFormat.h"

namespace {

using FourCC = std::array<uint8_t, 4>;

constexpr FourCC kRiff{'R', 'I', 'F', 'F'};
constexpr FourCC kWave{'W', 'A', 'V', 'E'};
constexpr FourCC kFmt{'f', 'm', 't', ' '};
constexpr FourCC kData{'d', 'a', 't', 'a'};

uint32_t LoadLe32(const uint8_t* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (uint32_t{bytes[3]} << 24);
}

void StoreLe32(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

bool Matches(const uint8_t* bytes, const FourCC& id) { return std::memcmp(bytes, id.data(), 4) == 0; }

}  // namespace

TWaveStream::TWaveStream(TStream& target) : Origin(target.Position()), Target(target) {}

TWaveStream::~TWaveStream() {
  CompleteHeaderQuietly();
  SetFormatSize(0);
}

void TWaveStream::CheckOpened() const {
  if (!Opened) throw EWaveStreamError(L"Stream not opend");
}

void TWaveStream::CheckNotOpened() const {
  if (Opened) throw EWaveStreamError(L"Stream has already been opened");
}

// All positions are 32-bit: a target grown past 2 GiB would wrap every size in
// the header, so a write that would take it there is refused whole.
void TWaveStream::CheckTargetRoom(int64_t end) const {
  if (end > std::numeric_limits<int32_t>::max())
    throw EWaveStreamError(L"Wave data cannot grow past 2 GiB");
}

// The stream counts as opened only once its whole header is in place: a
// header the target refused leaves no layout behind that destruction could
// complete, so nothing is written at offsets the target never held.
void TWaveStream::OpenForWriting() {
  CheckNotOpened();
  if (FormatSize() == 0) throw EWaveStreamError(L"Format is invalid");
  CheckTargetRoom(int64_t{Origin} + kHeaderBytes + FormatSize());
  DataChunkOffset = Origin + 20 + FormatSize();
  DataStart = DataChunkOffset + 8;
  Target.SetPosition(Origin);
  WriteHeader(DataStart, 0);
  Opened = true;
  FWrittenSize = Target.Size() - DataStart;  // bytes the target already held beyond the header
  FTargetPosition = DataStart;
  FPending.reserve(kPendingBytes);
}

void TWaveStream::OpenForReading() {
  CheckNotOpened();
  // Marked opened before the checks: a refused header leaves a stream opened
  // for reading, with no data.
  Opened = true;
  ReadMode = true;
  Target.SetPosition(Origin);
  uint8_t header[12];
  Target.ReadBuffer(header, sizeof header);
  if (!Matches(header, kRiff) || !Matches(header + 8, kWave)) throw EWaveStreamError(L"Wave is invalid");
  ReadChunks();
}

// Chunk sizes come from the file and are not trusted: each is taken as unsigned
// and measured against what the target really holds, so a hostile size can
// neither loop back, allocate more than the file has, nor claim data beyond it.
void TWaveStream::ReadChunks() {
  const int64_t end = Target.Size();
  for (;;) {
    uint8_t chunk[8] = {};
    Target.Read(chunk, sizeof chunk);
    if (LoadLe32(chunk) == 0) return;
    const int64_t size = LoadLe32(chunk + 4);
    const int64_t position = Target.Position();
    const int32_t present = static_cast<int32_t>(std::clamp<int64_t>(end - position, 0, size));
    if (Matches(chunk, kFmt)) {
      if (size > present) throw EReadError();
      SetFormatSize(present);
      Target.ReadBuffer(Format(), present);
      continue;
    }
    if (Matches(chunk, kData)) {
      ReadDataSize = present;
      DataStart = static_cast<int32_t>(position);
    }
    Target.Seek(present, soFromCurrent);
  }
}

// Sound held back that the target refuses is raised before the sizes are
// written; the data then ends where the target stopped, and the next call
// (or the destruction) completes the header for that.
void TWaveStream::CompleteHeader() {
  if (!Writing()) return;
  WritePending();
  FHeaderCompleted = true;
  WriteSizes(Target.Size());
  FTargetPosition = Target.Seek(0, soFromEnd);
}

// The stream is the only writer of its target, so the data's end is the
// target's end: no need to ask the target for its size.
void TWaveStream::UpdateHeader() {
  if (!Writing()) return;
  WritePending();
  WriteSizes(DataStart + FWrittenSize);
}

// Hands the sound held back to the target in one transfer. Should the target
// take only part of it (a full disk), the data ends on the last whole sample
// frame the target holds and the refusal is raised, as it is for a write of
// the caller's own that the target cuts short.
void TWaveStream::WritePending() {
  if (FPending.empty()) return;
  const auto count = static_cast<int32_t>(FPending.size());
  const int32_t from = DataStart + FWrittenSize - count;
  PlaceTarget(from);
  const int32_t n = Target.Write(FPending.data(), count);
  TargetMoved(from, count, n);
  FPending.clear();
  if (n == count) return;
  FWrittenSize -= count - std::max(n, 0);  // all of it in the target now
  const int32_t frame = std::max(BlockAlign(), 1);
  CutData(FWrittenSize - FWrittenSize % frame);
  throw EWriteError();
}

// Ends the data after size bytes, wherever they are.
void TWaveStream::CutData(int32_t size) {
  const int32_t inTarget = FWrittenSize - static_cast<int32_t>(FPending.size());
  if (size >= inTarget) {
    FPending.resize(static_cast<size_t>(size - inTarget));
  } else {
    FPending.clear();
    FTargetPosition = -1;
    Target.SetSize(DataStart + size);
  }
  FWrittenSize = size;
  DataPosition = std::min<int64_t>(DataPosition, size);
}

// The whole header in one write, so that keeping it current costs a single
// small transfer. The target's position is unknown from the first header
// byte on, so a failed write here cannot make the next data go to the wrong
// place.
void TWaveStream::WriteSizes(int32_t targetSize) {
  FTargetPosition = -1;
  Target.SetPosition(Origin);
  WriteHeader(targetSize, WaveSize());
  FTargetPosition = DataStart;
}

// "RIFF" size "WAVE", the format chunk and the data chunk's identifier and
// size, for a target of targetSize bytes holding dataSize bytes of sound.
void TWaveStream::WriteHeader(int32_t targetSize, int32_t dataSize) {
  const auto formatSize = static_cast<size_t>(FormatSize());
  std::vector<uint8_t> header(kHeaderBytes + formatSize);
  uint8_t* at = header.data();
  std::copy(kRiff.begin(), kRiff.end(), at);
  StoreLe32(at + 4, static_cast<uint32_t>(targetSize - Origin - 8));
  std::copy(kWave.begin(), kWave.end(), at + 8);
  std::copy(kFmt.begin(), kFmt.end(), at + 12);
  StoreLe32(at + 16, static_cast<uint32_t>(formatSize));
  std::memcpy(at + 20, Format(), formatSize);
  std::copy(kData.begin(), kData.end(), at + 20 + formatSize);
  StoreLe32(at + 24 + formatSize, static_cast<uint32_t>(dataSize));
  Target.WriteBuffer(header.data(), static_cast<int32_t>(header.size()));
}

void TWaveStream::DropPartialFrame() {
  const int32_t frame = BlockAlign();
  if (!Writing() || frame <= 1 || FWrittenSize % frame == 0) return;
  CutData(FWrittenSize - FWrittenSize % frame);
}

// The format record's block align, or 0 when the record is too short to hold one.
int32_t TWaveStream::BlockAlign() {
  constexpr int32_t kBlockAlignOffset = offsetof(TWaveFormatEx, nBlockAlign);
  if (FormatSize() < kBlockAlignOffset + 2) return 0;
  uint16_t blockAlign;
  std::memcpy(&blockAlign, static_cast<const uint8_t*>(Format()) + kBlockAlignOffset, sizeof blockAlign);
  return blockAlign;
}

void TWaveStream::CompleteHeaderQuietly() noexcept {
  try {
    CompleteHeader();
  } catch (const std::exception&) {
    // Nothing can be reported from a destructor; owners that care call CompleteHeader.
  }
}

int32_t TWaveStream::WaveSize() {
  if (!Opened) return 0;
  return ReadMode ? ReadDataSize : FWrittenSize;
}

void TWaveStream::PlaceTarget(int32_t position) {
  if (FTargetPosition != position) Target.SetPosition(position);
}

// A short transfer may have left the target anywhere: ask it next time.
void TWaveStream::TargetMoved(int32_t from, int32_t asked, int32_t moved) {
  FTargetPosition = moved == asked ? from + moved : -1;
}

int32_t TWaveStream::ReadData(void* buffer, int32_t count) {
  CheckOpened();
  WritePending();
  int32_t from = DataStart + DataOffset();
  PlaceTarget(from);
  int32_t n = Target.Read(buffer, count);
  TargetMoved(from, count, n);
  return n;
}

// Sound appended in small blocks is held back and reaches the target in
// transfers of up to kPendingBytes: one call instead of many, and blocks that
// need not each straddle the target's pages (the data starts 46 bytes in).
int32_t TWaveStream::WriteData(const void* buffer, int32_t count) {
  CheckOpened();
  if (ReadMode) count = static_cast<int32_t>(std::min<int64_t>(count, int64_t{ReadDataSize} - DataPosition));
  if (count <= 0) return 0;
  CheckTargetRoom(int64_t{DataStart} + DataPosition + count);
  const bool appending = !ReadMode && DataPosition == FWrittenSize;
  if (!appending || FPending.size() + static_cast<size_t>(count) > kPendingBytes) WritePending();
  if (appending && count < kPendingBytes) {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    FPending.insert(FPending.end(), bytes, bytes + count);
    FWrittenSize += count;
    return count;
  }
  int32_t from = DataStart + DataOffset();
  PlaceTarget(from);
  int32_t n = Target.Write(buffer, count);
  TargetMoved(from, count, n);
  if (!ReadMode) FWrittenSize = std::max(FWrittenSize, DataOffset() + n);
  return n;
}
