#include <gtest/gtest.h>

#include <random>

#include "TempFiles.h"
#include "WaveBytes.h"
#include "wave/WaveFileStream.h"
#include "wave/WaveFormat.h"

namespace {

struct TOpened {
  explicit TOpened(const Bytes& bytes) : Wave(Target) {
    Load(Target, bytes);
    Wave.OpenForReading();
  }
  Bytes ReadAll() {
    Bytes out(static_cast<size_t>(Wave.Size()) + 16);
    out.resize(static_cast<size_t>(Wave.Read(out.data(), static_cast<int32_t>(out.size()))));
    return out;
  }
  const TWaveFormatEx& Format() { return *static_cast<TWaveFormatEx*>(Wave.Format()); }

  TMemoryStream Target;
  TWaveStream Wave;
};

template <typename Error>
std::wstring ErrorOfReading(const Bytes& bytes) {
  TMemoryStream target;
  Load(target, bytes);
  TWaveStream wave(target);
  try {
    wave.OpenForReading();
  } catch (const Error& error) {
    return error.Message();
  }
  return L"(no error)";
}

}  // namespace

TEST(WaveRead, SixteenByteFormatAndForeignChunksAreRead) {
  Bytes file = RiffHeader(1234);  // the RIFF size is not checked
  AppendChunk(file, "fmt ", 16, PcmRecord(22050, 16, 2, false));
  AppendChunk(file, "LIST", 5, {'I', 'N', 'F', 'O', 'x'});  // odd size, no pad byte
  AppendChunk(file, "data", 4, {1, 2, 3, 4});
  TOpened opened(file);
  EXPECT_EQ(opened.Wave.FormatSize(), 16);
  EXPECT_EQ(opened.Format().nSamplesPerSec, 22050u);
  EXPECT_EQ(opened.Format().nBlockAlign, 4);
  EXPECT_EQ(opened.Wave.Size(), 4);
  EXPECT_EQ(opened.ReadAll(), (Bytes{1, 2, 3, 4}));
}

TEST(WaveRead, LastChunkOfAKindWinsAndChunksAfterDataCount) {
  Bytes file = RiffHeader();
  AppendChunk(file, "fmt ", 16, PcmRecord(8000, 8, 1, false));
  AppendChunk(file, "data", 2, {9, 9});
  AppendChunk(file, "fmt ", 18, PcmRecord(48000, 16, 2, true));
  AppendChunk(file, "data", 3, {5, 6, 7});
  TOpened opened(file);
  EXPECT_EQ(opened.Wave.FormatSize(), 18);
  EXPECT_EQ(opened.Format().nSamplesPerSec, 48000u);
  EXPECT_EQ(opened.ReadAll(), (Bytes{5, 6, 7}));
}

TEST(WaveRead, MissingChunksLeaveFormatAndGiveNoData) {
  Bytes file = RiffHeader();
  AppendChunk(file, "junk", 3, {1, 2, 3});
  TMemoryStream target;
  Load(target, file);
  TWaveStream wave(target);
  wave.SetPcmFormat(11025, 8, 1);
  wave.OpenForReading();
  EXPECT_EQ(static_cast<TWaveFormatEx*>(wave.Format())->nSamplesPerSec, 11025u) << "no format chunk keeps the record";
  EXPECT_EQ(wave.Size(), 0);
}

TEST(WaveRead, ZeroIdentifierEndsTheChunks) {
  Bytes file = RiffHeader();
  AppendChunk(file, "data", 2, {1, 2});
  AppendLe(file, 0, 4);
  AppendLe(file, 4, 4);
  AppendChunk(file, "data", 1, {3});
  TOpened opened(file);
  EXPECT_EQ(opened.ReadAll(), (Bytes{1, 2}));
}

TEST(WaveRead, RefusedHeadersRaiseAndStayOpened) {
  Bytes notRiff = RiffHeader();
  notRiff[0] = 'X';
  Bytes notWave = RiffHeader();
  notWave[11] = 'X';
  EXPECT_EQ(ErrorOfReading<EWaveStreamError>(notRiff), L"Wave is invalid");
  EXPECT_EQ(ErrorOfReading<EWaveStreamError>(notWave), L"Wave is invalid");
  EXPECT_EQ(ErrorOfReading<EReadError>(Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V'}), L"Stream read error");
  EXPECT_EQ(ErrorOfReading<EReadError>(Bytes{}), L"Stream read error");

  TMemoryStream target;
  Load(target, notRiff);
  TWaveStream wave(target);
  EXPECT_THROW(wave.OpenForReading(), EWaveStreamError);
  EXPECT_EQ(wave.Size(), 0);
  try {
    wave.OpenForReading();
    FAIL() << "a refused header still counts as opened";
  } catch (const EWaveStreamError& error) {
    EXPECT_EQ(error.Message(), L"Stream has already been opened");
  }
}

TEST(WaveRead, TruncatedFormatChunkIsAReadError) {
  Bytes file = RiffHeader();
  AppendChunk(file, "fmt ", 18, PcmRecord(8000, 8, 1, false));  // 2 bytes short
  EXPECT_EQ(ErrorOfReading<EReadError>(file), L"Stream read error");
}

// Sizes in chunk headers are whatever a damaged or hostile file says; none may
// make the reader allocate, loop or reach beyond what the file holds.
TEST(WaveRead, HostileChunkSizesStayWithinTheFile) {
  Bytes hugeFormat = RiffHeader();
  AppendChunk(hugeFormat, "fmt ", 0xFFFFFFF0u, PcmRecord(8000, 8, 1, false));
  EXPECT_EQ(ErrorOfReading<EReadError>(hugeFormat), L"Stream read error");

  Bytes backwards = RiffHeader();
  AppendChunk(backwards, "junk", 0xFFFFFFF8u, {});  // -8 as a signed size: would revisit itself
  AppendChunk(backwards, "data", 1, {7});
  TOpened loop(backwards);
  EXPECT_EQ(loop.Wave.Size(), 0) << "the chunk swallows the rest of the file";

  Bytes longData = RiffHeader();
  AppendChunk(longData, "fmt ", 16, PcmRecord(8000, 8, 1, false));
  AppendChunk(longData, "data", 0xFFFFFFFFu, {1, 2, 3});
  TOpened truncated(longData);
  EXPECT_EQ(truncated.Wave.Size(), 3) << "data claimed beyond the end of the file is not there";
  EXPECT_EQ(truncated.Wave.Seek(0, soFromEnd), 3);
  truncated.Wave.SetPosition(0);
  EXPECT_EQ(truncated.ReadAll(), (Bytes{1, 2, 3}));
}

TEST(WaveRead, PartialChunkHeaderAtTheEndIsIgnored) {
  Bytes file = RiffHeader();
  AppendChunk(file, "data", 2, {1, 2});
  Append(file, "LI");
  TOpened opened(file);
  EXPECT_EQ(opened.ReadAll(), (Bytes{1, 2}));
}

TEST(WaveRead, ReadModeOverwritesButNeverExtends) {
  Bytes file = RiffHeader();
  AppendChunk(file, "data", 3, {1, 2, 3});
  AppendChunk(file, "tail", 1, {0xAA});
  TOpened opened(file);
  opened.Wave.SetPosition(1);
  uint8_t patch[4] = {8, 8, 8, 8};
  EXPECT_EQ(opened.Wave.Write(patch, 4), 2);
  EXPECT_EQ(opened.Wave.Write(patch, 4), 0);
  opened.Wave.SetPosition(0);
  EXPECT_EQ(opened.ReadAll(), (Bytes{1, 8, 8}));
  EXPECT_EQ(opened.Target.Bytes().back(), 0xAA) << "the following chunk is untouched";
  EXPECT_EQ(opened.Target.Size(), static_cast<int32_t>(file.size()));
}

TEST(WaveRead, WrittenFileReadsBack) {
  TTempFile file(L"roundtrip.wav");
  Bytes sound{10, 20, 30, 40, 50};
  {
    TWaveFileStream wave(file.Path(), fmCreate);
    wave.SetPcmFormat(33075, 24, 1);
    wave.OpenForWriting();
    wave.WriteBuffer(sound.data(), 5);
  }
  TWaveFileStream wave(file.Path(), fmOpenRead | fmShareDenyWrite);
  wave.OpenWave(false);
  EXPECT_EQ(wave.FormatSize(), 18);
  EXPECT_EQ(static_cast<TWaveFormatEx*>(wave.Format())->nSamplesPerSec, 33075u);
  Bytes back(8);
  EXPECT_EQ(wave.Read(back.data(), 8), 5) << "a read asking for more gets what remains";
  back.resize(5);
  EXPECT_EQ(back, sound);
}

// Damaged copies of a valid file: whatever their bytes say, opening, reading
// and overwriting them either works or raises the family's errors, and never
// touches memory outside the buffers (the host build runs this under ASan).
TEST(WaveRead, RandomlyDamagedFilesFailCleanly) {
  Bytes valid = RiffHeader(60);
  AppendChunk(valid, "fmt ", 18, PcmRecord(8000, 16, 1, true));
  AppendChunk(valid, "LIST", 3, {1, 2, 3});
  AppendChunk(valid, "data", 9, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  std::mt19937 random(20261207);
  for (int round = 0; round < 3000; ++round) {
    Bytes damaged = valid;
    int changes = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < changes; ++i) damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
    if (random() % 4 == 0) damaged.resize(random() % damaged.size());
    TMemoryStream target;
    Load(target, damaged);
    TWaveStream wave(target);
    try {
      wave.OpenForReading();
    } catch (const Exception&) {
    }
    Bytes out(64);
    int32_t size = wave.Size();
    ASSERT_GE(size, 0);
    ASSERT_LE(size, static_cast<int32_t>(damaged.size()));
    wave.SetPosition(0);
    ASSERT_EQ(wave.Read(out.data(), 64), size);
    wave.Seek(-2, soFromEnd);
    wave.Write(out.data(), 64);
    ASSERT_EQ(target.Size(), static_cast<int32_t>(damaged.size())) << "round " << round;
  }
}
