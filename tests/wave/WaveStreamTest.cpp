#include <gtest/gtest.h>

#include <limits>

#include "WaveBytes.h"
#include "wave/WaveFormat.h"
#include "wave/WaveStream.h"

namespace {

// A target whose positions start far into the 32-bit range, to reach the 2 GiB
// limit without writing 2 GiB: only the bytes from Base on are kept.
class TFarStream : public TStream {
 public:
  explicit TFarStream(int32_t base) : Base(base) {}
  int32_t Read(void* buffer, int32_t count) override { return Bytes.Read(buffer, count); }
  int32_t Write(const void* buffer, int32_t count) override { return Bytes.Write(buffer, count); }
  int32_t Seek(int32_t offset, uint16_t origin) override {
    if (origin == soFromBeginning) offset -= Base;
    return Base + Bytes.Seek(offset, origin);
  }
  int32_t Base;
  TMemoryStream Bytes;
};

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

}  // namespace

TEST(WaveStream, GrowthPastTwoGibIsRefusedWhole) {
  TFarStream target(kMax - 46 - 99);
  {
    TWaveStream wave(target);
    wave.SetPcmFormat(8000, 8, 1);
    wave.OpenForWriting();
    Bytes sound(100, 0x80);
    wave.WriteBuffer(sound.data(), 60);
    try {
      wave.WriteBuffer(sound.data(), 40);
      FAIL() << "the write would end at 2^31";
    } catch (const EWaveStreamError& error) {
      EXPECT_EQ(error.Message(), L"Wave data cannot grow past 2 GiB");
    }
    EXPECT_EQ(wave.Size(), 60) << "the refused write wrote nothing";
    wave.WriteBuffer(sound.data(), 39);
    wave.CompleteHeader();
    EXPECT_EQ(target.Size(), kMax);
  }
  const Bytes& bytes = target.Bytes.Bytes();
  ASSERT_EQ(bytes.size(), 46u + 99u);
  EXPECT_EQ(Le32At(bytes, 4), 38u + 99u) << "the completed header is valid up to the limit";
  EXPECT_EQ(Le32At(bytes, 42), 99u);
}

TEST(WaveStream, HeaderThatWouldNotFitIsRefused) {
  TFarStream target(kMax - 20);
  TWaveStream wave(target);
  wave.SetPcmFormat(8000, 8, 1);
  EXPECT_THROW(wave.OpenForWriting(), EWaveStreamError);
  EXPECT_EQ(target.Bytes.Size(), 0);
}

TEST(WaveStream, SeeksClampToTheSoundData) {
  TMemoryStream target;
  TWaveStream wave(target);
  wave.SetPcmFormat(8000, 8, 1);
  wave.OpenForWriting();
  Bytes sound(10, 1);
  wave.WriteBuffer(sound.data(), 10);
  EXPECT_EQ(wave.Seek(-5, soFromBeginning), 0);
  EXPECT_EQ(wave.Seek(50, soFromBeginning), 10);
  EXPECT_EQ(wave.Seek(-3, soFromEnd), 7);
  EXPECT_EQ(wave.Seek(2, soFromCurrent), 9);
  EXPECT_EQ(wave.Seek(kMax, soFromCurrent), 10) << "no overflow when adding to the position";
  EXPECT_EQ(wave.Seek(4, 9), 10) << "an unknown origin leaves the position";
  wave.SetSize(3);
  EXPECT_EQ(wave.Size(), 10) << "the size follows from what is written";
}

TEST(WaveStream, WritesAppendAfterSeekingBack) {
  TMemoryStream target;
  TWaveStream wave(target);
  wave.SetPcmFormat(8000, 8, 1);
  wave.OpenForWriting();
  Bytes first{1, 2, 3};
  wave.WriteBuffer(first.data(), 3);
  wave.SetPosition(1);
  uint8_t patch = 9;
  wave.WriteBuffer(&patch, 1);
  EXPECT_EQ(wave.Size(), 3) << "a write inside the data overwrites";
  uint8_t out[4];
  wave.SetPosition(0);
  EXPECT_EQ(wave.Read(out, 4), 3);
  EXPECT_EQ(Bytes(out, out + 3), (Bytes{1, 9, 3}));
}

TEST(WaveStream, FormatRecordResizesKeepingItsBytes) {
  TMemoryStream target;
  TWaveStream wave(target);
  EXPECT_EQ(wave.Format(), nullptr);
  wave.SetPcmFormat(44100, 16, 2);
  wave.SetFormatSize(20);
  auto* record = static_cast<TWaveFormatEx*>(wave.Format());
  EXPECT_EQ(record->nAvgBytesPerSec, 176400u);
  EXPECT_EQ(static_cast<uint8_t*>(wave.Format())[19], 0) << "growth is zero-filled";
  wave.SetFormatSize(4);
  EXPECT_EQ(static_cast<TWaveFormatEx*>(wave.Format())->nChannels, 2);
  wave.SetFormatSize(0);
  EXPECT_EQ(wave.Format(), nullptr);
  EXPECT_THROW(wave.SetFormatSize(-1), EWaveStreamError);
}

TEST(WaveStream, CopyBetweenWaveStreamsCopiesSoundOnly) {
  TMemoryStream sourceTarget, copyTarget;
  Bytes sound{5, 4, 3, 2, 1};
  {
    TWaveStream source(sourceTarget);
    source.SetPcmFormat(8000, 8, 1);
    source.OpenForWriting();
    source.WriteBuffer(sound.data(), 5);
  }
  sourceTarget.SetPosition(0);
  TWaveStream source(sourceTarget);
  source.OpenForReading();
  {
    TWaveStream copy(copyTarget);
    copy.SetPcmFormat(8000, 8, 1);
    copy.OpenForWriting();
    EXPECT_EQ(copy.CopyFrom(source, 0), 5);
  }
  EXPECT_EQ(copyTarget.Bytes(), sourceTarget.Bytes());
}
