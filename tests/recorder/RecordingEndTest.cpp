// The main window recording from a scripted capture device until the
// recording cannot go on: the device fails midway, or the file reaches the
// wave layout's 2 GiB limit. Each must end as a press of the stop button
// ends a recording, show its error once, leave a whole wave file of every
// sample frame written, and let the next recording start at once.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "RecorderWindow.h"
#include "TempFiles.h"
#include "wave/WaveFormat.h"

namespace {

constexpr DWORD kRingBytes = 88200;  // one second of 44100 Hz, 16-bit mono: the window's default format

// A file whose positions read kFar bytes further on than they are, so that
// a wave layout written on it begins just under 2 GiB while the file on
// disk stays small and is an ordinary wave file.
class TFarFileStream : public TFileStream {
 public:
  static constexpr int32_t kFar = std::numeric_limits<int32_t>::max() - (1 << 20);
  explicit TFarFileStream(const std::wstring& path) : TFileStream(path, fmCreate) {}
  int32_t Seek(int32_t offset, uint16_t origin) override {
    return TFileStream::Seek(origin == soFromBeginning ? offset - kFar : offset, origin) + kFar;
  }
};

class TFarRecorder : public TMainForm {
 public:
  using TMainForm::TMainForm;

 protected:
  std::unique_ptr<TWaveFileStream> CreateWaveFile(const std::wstring& path) override {
    return std::make_unique<TWaveFileStream>(std::make_unique<TFarFileStream>(path));
  }
};

struct TWaveContents {
  uint32_t RiffSize = 0;
  int64_t FileSize = 0;
  int BlockAlign = 0;
  std::vector<uint8_t> Data;
};

TWaveContents ReadWave(const std::wstring& path) {
  TWaveContents contents;
  TWaveFileStream wave(path, fmOpenRead);
  wave.OpenForReading();
  contents.BlockAlign = static_cast<const TWaveFormatEx*>(wave.Format())->nBlockAlign;
  contents.Data.resize(static_cast<size_t>(wave.WaveSize()));
  wave.ReadBuffer(contents.Data.data(), wave.WaveSize());
  TFileStream file(path, fmOpenRead | fmShareDenyNone);
  contents.FileSize = file.Size();
  uint8_t riff[8];  // "RIFF" and its size
  file.ReadBuffer(riff, sizeof riff);
  contents.RiffSize = riff[4] | riff[5] << 8 | riff[6] << 16 | static_cast<uint32_t>(riff[7]) << 24;
  return contents;
}

class RecordingEnd : public RecorderWindow {
 protected:
  // Starts recording into path and lets the device deliver a tenth of a
  // second of sound per position query.
  TScriptedBuffer& Record(TMainForm& form, const std::wstring& path) {
    Named<TEdit>(form, L"FilePath").SetText(path);
    Named<TBitBtn>(form, L"B_Start").Click();
    TScriptedBuffer& ring = Device.LastBuffer();
    EXPECT_EQ(ring.Description.dwBufferBytes, kRingBytes);
    ring.AdvancePerPositionCall = kRingBytes / 10;
    return ring;
  }

  // The file holds the device's bytes from the ring's start, as many as the
  // window last showed, in whole sample frames, with sizes that agree.
  void ExpectWholeRecording(TMainForm& form, const std::wstring& path) {
    TWaveContents wave = ReadWave(path);
    EXPECT_EQ(Panel(form, 0), L"已经录制了 " + std::to_wstring(wave.Data.size()) + L"  字节 ");
    EXPECT_GT(wave.Data.size(), kRingBytes / 2) << "the recording ran a while first";
    EXPECT_EQ(wave.Data.size() % static_cast<size_t>(wave.BlockAlign), 0u);
    EXPECT_EQ(wave.FileSize, static_cast<int64_t>(46 + wave.Data.size()));
    EXPECT_EQ(wave.RiffSize, wave.FileSize - 8);
    for (size_t i = 0; i < wave.Data.size(); ++i)
      ASSERT_EQ(wave.Data[i], TScriptedCaptureDevice::RingByte(i % kRingBytes)) << "sound byte " << i;
  }

  // A recording to another path right after the failure works and ends well.
  void ExpectNextRecordingWorks(TMainForm& form) {
    TTempFile next(L"next.wav");
    TScriptedBuffer& ring = Record(form, next.Path());
    ASSERT_TRUE(Recording(form));
    WaitFor([&] { return ring.LockOffsets.size() >= 8; });
    Named<TBitBtn>(form, L"B_Stop").Click();
    ExpectIdle(form);
    ExpectWholeRecording(form, next.Path());
  }
};

}  // namespace

TEST_F(RecordingEnd, DeviceFailingAfterSomeBlocksEndsTheRecordingCleanlyWithOneMessage) {
  enum TFailure { fLockFails, fDeviceGone };
  for (TFailure failure : {fLockFails, fDeviceGone}) {
    Shown.Texts.clear();
    TMainForm form(nullptr);
    Open(form);
    TTempFile file(L"failing-device.wav");
    TScriptedBuffer& ring = Record(form, file.Path());
    if (failure == fLockFails) ring.LocksBeforeFailure = 8;
    WaitFor([&] { return failure == fLockFails || ring.LockOffsets.size() >= 8; });
    if (failure == fDeviceGone) ring.Lost = true;
    WaitFor([&] { return !Recording(form); });

    const wchar_t* expected = failure == fLockFails ? L"Sound Capture Buffer failed (error 0x80070057)"
                                                    : L"Sound Capture Buffer has stopped capturing";
    EXPECT_EQ(Shown.Texts, std::vector<std::wstring>{expected});
    ExpectIdle(form);
    ExpectWholeRecording(form, file.Path());
    Application.ProcessMessagesFor(300);
    EXPECT_EQ(Shown.Texts.size(), 1u) << "shown once";
    ExpectNextRecordingWorks(form);
    EXPECT_EQ(Shown.Texts.size(), 1u);
  }
}

TEST_F(RecordingEnd, FileReachingTheTwoGibLimitEndsTheRecordingCleanlyWithOneMessage) {
  TFarRecorder form(nullptr);
  Open(form);
  TTempFile file(L"far.wav");
  TScriptedBuffer& ring = Record(form, file.Path());
  ring.AdvancePerPositionCall = kRingBytes / 4;
  WaitFor([&] { return !Recording(form); });

  EXPECT_EQ(Shown.Texts, std::vector<std::wstring>{L"Wave data cannot grow past 2 GiB"});
  ExpectIdle(form);
  ExpectWholeRecording(form, file.Path());
  size_t room = std::numeric_limits<int32_t>::max() - TFarFileStream::kFar - 46;
  size_t kept = ReadWave(file.Path()).Data.size();
  EXPECT_LE(kept, room);
  EXPECT_GT(kept + kRingBytes, room) << "the recording went on up to the limit";
}
