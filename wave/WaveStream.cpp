#include "wave/WaveStream.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

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

void WriteFourCC(TStream& stream, const FourCC& id) { stream.WriteBuffer(id.data(), 4); }

void StoreLe32(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

void WriteLe32(TStream& stream, uint32_t value) {
  uint8_t bytes[4];
  StoreLe32(bytes, value);
  stream.WriteBuffer(bytes, 4);
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

void TWaveStream::OpenForWriting() {
  CheckNotOpened();
  if (FormatSize() == 0) throw EWaveStreamError(L"Format is invalid");
  CheckTargetRoom(int64_t{Origin} + 28 + FormatSize());
  Opened = true;
  Target.SetPosition(Origin);
  const uint8_t placeholder[12] = {};
  Target.WriteBuffer(placeholder, sizeof placeholder);
  WriteFourCC(Target, kFmt);
  WriteLe32(Target, static_cast<uint32_t>(FormatSize()));
  Target.WriteBuffer(Format(), FormatSize());
  DataChunkOffset = Target.Position();
  WriteFourCC(Target, kData);
  WriteLe32(Target, 0);
  DataStart = Target.Position();
  FWrittenSize = Target.Size() - DataStart;  // bytes the target already held beyond the header
  FTargetPosition = DataStart;
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

void TWaveStream::CompleteHeader() {
  if (!Writing()) return;
  FHeaderCompleted = true;
  WriteSizes(Target.Size());
  Target.Seek(0, soFromEnd);
}

// The stream is the only writer of its target, so the data's end is the
// target's end: no need to ask the target for its size.
void TWaveStream::UpdateHeader() {
  if (!Writing()) return;
  WriteSizes(DataStart + FWrittenSize);
  FTargetPosition = DataStart;  // where the data size ends
}

// Two writes, one per size with its chunk's identifier. The target's
// position is unknown from the first header byte on, so a failed write here
// cannot make the next data go to the wrong place.
void TWaveStream::WriteSizes(int32_t targetSize) {
  FTargetPosition = -1;
  std::array<uint8_t, 12> riff{};
  std::copy(kRiff.begin(), kRiff.end(), riff.begin());
  StoreLe32(riff.data() + 4, static_cast<uint32_t>(targetSize - Origin - 8));
  std::copy(kWave.begin(), kWave.end(), riff.begin() + 8);
  Target.SetPosition(Origin);
  Target.WriteBuffer(riff.data(), static_cast<int32_t>(riff.size()));
  std::array<uint8_t, 8> data{};
  std::copy(kData.begin(), kData.end(), data.begin());
  StoreLe32(data.data() + 4, static_cast<uint32_t>(WaveSize()));
  Target.SetPosition(DataChunkOffset);
  Target.WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
}

void TWaveStream::DropPartialFrame() {
  const int32_t frame = BlockAlign();
  if (!Writing() || frame <= 1 || FWrittenSize % frame == 0) return;
  FTargetPosition = -1;
  const int32_t whole = FWrittenSize - FWrittenSize % frame;
  Target.SetSize(DataStart + whole);
  FWrittenSize = whole;
  DataPosition = std::min(DataPosition, whole);
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
  int32_t from = DataStart + DataPosition;
  PlaceTarget(from);
  int32_t n = Target.Read(buffer, count);
  TargetMoved(from, count, n);
  return n;
}

int32_t TWaveStream::WriteData(const void* buffer, int32_t count) {
  CheckOpened();
  if (ReadMode) count = static_cast<int32_t>(std::min<int64_t>(count, int64_t{ReadDataSize} - DataPosition));
  if (count <= 0) return 0;
  CheckTargetRoom(int64_t{DataStart} + DataPosition + count);
  int32_t from = DataStart + DataPosition;
  PlaceTarget(from);
  int32_t n = Target.Write(buffer, count);
  TargetMoved(from, count, n);
  if (!ReadMode) FWrittenSize = std::max(FWrittenSize, DataPosition + n);
  return n;
}
