// Capture from the real default device behind PulseAudio, whose source
// carries a continuous 440 Hz tone: driven as the recorder drives it, by the
// notification thread and a handler that writes each batch to a wave file.
#include <gtest/gtest.h>

#include <vector>

#include "capture/SoundCaptureStream.h"
#include "support/ShownErrors.h"
#include "support/ToneAnalysis.h"
#include "toolkit/platform/Application.h"
#include "wave/WaveFileStream.h"

namespace {

std::wstring TempWavePath() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"quill-capture-" + std::to_wstring(GetCurrentProcessId()) + L".wav";
}

// The recorder's handler: exactly the available bytes go to the wave file.
struct TWaveWriter {
  TWaveStream& Wave;
  int64_t Bytes = 0;
  int Calls = 0;
  std::vector<uint8_t> Batch;

  void Write(TSoundCaptureStream& stream) {
    ++Calls;
    Batch.resize(static_cast<size_t>(stream.AvailableBytes()));
    int32_t count = static_cast<int32_t>(Batch.size());
    EXPECT_EQ(stream.Read(Batch.data(), count), count);
    Wave.WriteBuffer(Batch.data(), count);
    Bytes += count;
  }
};

std::vector<uint8_t> WaveData(const std::wstring& path) {
  TWaveFileStream wave(path, fmOpenRead);
  wave.OpenForReading();
  std::vector<uint8_t> data(static_cast<size_t>(wave.WaveSize()));
  wave.ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
  return data;
}

struct TCaptureCase {
  int Rate;
  int Bits;
  int Channels;
};

class RealCapture : public ::testing::TestWithParam<TCaptureCase> {
 protected:
  void TearDown() override {
    DeleteFileW(Path.c_str());
  }

  std::wstring Path = TempWavePath();
  TShownErrors Shown;
};

}  // namespace

TEST(RealCaptureDevice, DefaultDeviceAcceptsAll56Formats) {
  TSoundCaptureStream stream(nullptr);
  EXPECT_EQ(stream.Formats().Count(), 56);
  EXPECT_EQ(stream.Formats().IndexOf(44100, 16, 1), 4 * 8 + 2);
}

TEST_P(RealCapture, RecordsTheToneIntoAWaveFileWithoutGapOrRepeat) {
  const TCaptureCase format = GetParam();
  // Records until enough sound has arrived rather than for a fixed time:
  // Wine's first bytes come a second or more after Start, later on a busy machine.
  constexpr double kWantedSeconds = 3.0;
  constexpr ULONGLONG kGiveUpMilliseconds = 30000;
  TSoundCaptureStream stream(nullptr);
  stream.SetFormatIndex(stream.Formats().IndexOf(format.Rate, format.Bits, format.Channels));
  ASSERT_GE(stream.FormatIndex(), 0);
  int blockAlign = format.Channels * format.Bits / 8;
  double bytesPerSecond = double(format.Rate) * blockAlign;
  int64_t written = 0;
  ULONGLONG elapsed = 0;
  {
    TWaveFileStream wave(Path, fmCreate);
    wave.SetPcmFormat(format.Rate, format.Bits, format.Channels);
    wave.OpenForWriting();
    TWaveWriter writer{wave, 0, 0, {}};
    stream.SetOnDataAvailable(TDataAvailableEvent::Of<&TWaveWriter::Write>(writer));
    ULONGLONG start = GetTickCount64();
    stream.Start();
    while (writer.Bytes < kWantedSeconds * bytesPerSecond && GetTickCount64() - start < kGiveUpMilliseconds)
      Application.ProcessMessagesFor(100);
    Application.ProcessMessagesFor(500);
    stream.Stop();
    elapsed = GetTickCount64() - start;
    written = writer.Bytes;
    EXPECT_GT(writer.Calls, 20) << "the thread should wake every 50 ms";
    ASSERT_GE(writer.Bytes, kWantedSeconds * bytesPerSecond) << "no sound for 30 s";
  }
  EXPECT_TRUE(Shown.Texts.empty());

  std::vector<uint8_t> data = WaveData(Path);
  ASSERT_EQ(static_cast<int64_t>(data.size()), written);
  EXPECT_EQ(data.size() % static_cast<size_t>(blockAlign), 0u);
  double seconds = elapsed / 1000.0;
  EXPECT_LE(written, (seconds + 0.1) * bytesPerSecond) << "more sound than time passed";

  for (int channel = 0; channel < format.Channels; ++channel) {
    std::vector<double> samples = ChannelSamples(data.data(), data.size(), format.Bits, format.Channels, channel);
    TToneReport tone = AnalyseTone(samples, format.Rate);
    EXPECT_EQ(tone.Discontinuities, 0) << "first at sample " << tone.FirstDiscontinuity;
    EXPECT_NEAR(tone.Frequency, 440, 1);
    EXPECT_NEAR(tone.Amplitude, 0.5, 0.05);
    EXPECT_GE(tone.Samples / double(format.Rate), kWantedSeconds - 0.5) << "leading silence " << tone.LeadingSilence;
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, RealCapture,
                         ::testing::Values(TCaptureCase{44100, 16, 1}, TCaptureCase{48000, 32, 2},
                                           TCaptureCase{22050, 8, 2}),
                         [](const ::testing::TestParamInfo<TCaptureCase>& test) {
                           const TCaptureCase& c = test.param;
                           return std::to_string(c.Rate) + "Hz" + std::to_string(c.Bits) + "bit" +
                                  std::to_string(c.Channels) + "ch";
                         });
