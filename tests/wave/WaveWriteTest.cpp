#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFiles.h"
#include "WaveBytes.h"
#include "wave/WaveFileStream.h"
#include "wave/WaveFormat.h"

namespace {

Bytes ExpectedHeader(uint32_t rate, uint16_t bits, uint16_t channels, uint32_t dataSize) {
  Bytes bytes = RiffHeader(38 + dataSize);
  AppendChunk(bytes, "fmt ", 18, PcmRecord(rate, bits, channels, true));
  Append(bytes, "data");
  AppendLe(bytes, dataSize, 4);
  return bytes;
}

Bytes Sound(size_t count) {
  Bytes bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 1);
  return bytes;
}

}  // namespace

TEST(WaveFormat, PcmFieldsFollowFromRateWidthAndChannels) {
  TWaveFormatEx format{};
  FillPcmFormat(format, 22050, 8, 2);
  EXPECT_EQ(format.nBlockAlign, 2);
  EXPECT_EQ(format.nAvgBytesPerSec, 44100u);
  FillPcmFormat(format, 96000, 32, 2);
  EXPECT_EQ(format.nBlockAlign, 8);
  EXPECT_EQ(format.nAvgBytesPerSec, 768000u);
  EXPECT_EQ(format.wFormatTag, 1);
  EXPECT_EQ(format.cbSize, 0);
}

TEST(WaveWrite, EmptyRecordingIsA46ByteFile) {
  TTempFile file(L"empty.wav");
  {
    TWaveFileStream wave(file.Path(), fmCreate);
    wave.SetPcmFormat(44100, 16, 1);
    wave.OpenWave(true);
  }
  std::ifstream in(file.FsPath(), std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes, ExpectedHeader(44100, 16, 1, 0));
  EXPECT_EQ(bytes.size(), 46u);
}

TEST(WaveWrite, CompletedLayoutCountsSoundBytesWithoutPadding) {
  for (size_t count : {size_t{1000}, size_t{999}}) {
    TMemoryStream target;
    Bytes sound = Sound(count);
    {
      TWaveStream wave(target);
      wave.SetPcmFormat(8000, 8, 1);
      wave.OpenForWriting();
      wave.WriteBuffer(sound.data(), 600);
      wave.WriteBuffer(sound.data() + 600, static_cast<int32_t>(count - 600));
      EXPECT_EQ(wave.Size(), static_cast<int32_t>(count));
      EXPECT_EQ(Le32At(target.Bytes(), 42), 0u) << "sizes are placeholders until completion";
    }
    Bytes expected = ExpectedHeader(8000, 8, 1, static_cast<uint32_t>(count));
    expected.insert(expected.end(), sound.begin(), sound.end());
    EXPECT_EQ(target.Bytes(), expected) << count << " bytes, no pad byte after an odd chunk";
  }
}

TEST(WaveWrite, LayoutStartsAtTheTargetsPosition) {
  TMemoryStream target;
  Bytes prefix(5, 0xEE);
  target.WriteBuffer(prefix.data(), 5);
  Bytes sound = Sound(10);
  {
    TWaveStream wave(target);
    wave.SetPcmFormat(11025, 16, 2);
    wave.OpenForWriting();
    wave.WriteBuffer(sound.data(), 10);
  }
  Bytes expected = prefix;
  Bytes layout = ExpectedHeader(11025, 16, 2, 10);
  expected.insert(expected.end(), layout.begin(), layout.end());
  expected.insert(expected.end(), sound.begin(), sound.end());
  EXPECT_EQ(target.Bytes(), expected) << "the RIFF size counts only the bytes from the origin on";
}

TEST(WaveWrite, OpeningChecksStateAndFormat) {
  TMemoryStream target;
  TWaveStream wave(target);
  try {
    wave.OpenForWriting();
    FAIL();
  } catch (const EWaveStreamError& error) {
    EXPECT_EQ(error.Message(), L"Format is invalid");
  }
  EXPECT_EQ(target.Size(), 0) << "a refused open writes nothing";
  wave.SetPcmFormat(8000, 16, 1);
  wave.OpenForWriting();
  for (bool forWriting : {true, false}) {
    try {
      wave.OpenWave(forWriting);
      FAIL();
    } catch (const EWaveStreamError& error) {
      EXPECT_EQ(error.Message(), L"Stream has already been opened");
    }
  }
}

TEST(WaveWrite, ClosedStreamRefusesData) {
  TMemoryStream target;
  TWaveStream wave(target);
  uint8_t byte = 0;
  for (auto transfer : {+[](TWaveStream& w, uint8_t& b) { w.Read(&b, 1); },
                        +[](TWaveStream& w, uint8_t& b) { w.Write(&b, 1); }}) {
    try {
      transfer(wave, byte);
      FAIL();
    } catch (const EWaveStreamError& error) {
      EXPECT_EQ(error.Message(), L"Stream not opend");
    }
  }
  EXPECT_EQ(wave.Seek(10, soFromBeginning), 0) << "a closed stream has no data to seek in";
  EXPECT_EQ(wave.Seek(-10, soFromEnd), 0);
}

TEST(WaveWrite, CompleteHeaderRunsOnceAndLeavesTheTargetAtItsEnd) {
  TMemoryStream target;
  Bytes sound = Sound(4);
  TWaveStream wave(target);
  wave.SetPcmFormat(8000, 8, 1);
  wave.OpenForWriting();
  wave.WriteBuffer(sound.data(), 4);
  wave.CompleteHeader();
  EXPECT_EQ(target.Position(), 50);
  EXPECT_EQ(Le32At(target.Bytes(), 4), 42u);
  EXPECT_EQ(Le32At(target.Bytes(), 42), 4u);
}

TEST(WaveWrite, FileAlreadyInUseReportsTheFileError) {
  TTempFile file(L"busy.wav");
  TFileStream holder(file.Path(), fmCreate);
#ifdef _WIN32
  EXPECT_THROW(TWaveFileStream(file.Path(), fmOpenReadWrite | fmShareDenyNone), EFOpenError);
#endif
  EXPECT_THROW(TWaveFileStream(ScratchDirectory().wstring() + L"/missing/x.wav", fmCreate), EFCreateError);
}
