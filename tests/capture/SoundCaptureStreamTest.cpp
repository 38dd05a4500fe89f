// The capture stream's algorithms against a scripted capture device: format
// probing, ring sizes, reading across the ring's end, failures of the device,
// and the notification thread's life, including stops from inside a handler.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>

#include "ScriptedCaptureDevice.h"
#include "capture/SoundCaptureStream.h"
#include "capture/SoundCaptureStreamNotify.h"
#include "support/RaisedMessage.h"
#include "support/ShownErrors.h"
#include "toolkit/platform/Application.h"

namespace {

constexpr int kRates[] = {8000, 11025, 22050, 33075, 44100, 48000, 96000};

TKernelHandle OpenThreadOf(const TSoundCaptureStream& stream) {
  return TKernelHandle(OpenThread(SYNCHRONIZE, FALSE, stream.NotifyThread()->ThreadID()));
}

bool Ended(const TKernelHandle& thread, DWORD milliseconds = 2000) {
  return WaitForSingleObject(thread.Get(), milliseconds) == WAIT_OBJECT_0;
}

class SoundCaptureStreamTest : public ::testing::Test {
 protected:
  // A stream capturing in the given format; its ring is the device's last buffer.
  std::unique_ptr<TSoundCaptureStream> Started(int rate, int bits, int channels, int milliseconds = 1000) {
    auto stream = std::make_unique<TSoundCaptureStream>(nullptr);
    stream->SetFormatIndex(stream->Formats().IndexOf(rate, bits, channels));
    stream->SetBufferMilliseconds(milliseconds);
    stream->Start();
    return stream;
  }
  // Handles messages until done, or for five seconds at most (a loaded machine is slow, not stuck).
  static void ProcessMessagesUntil(const std::function<bool()>& done) {
    for (int waited = 0; !done() && waited < 5000; waited += 20) Application.ProcessMessagesFor(20);
  }
  DWORD RingBytes(int rate, int bits, int channels, int milliseconds) {
    Started(rate, bits, channels, milliseconds);
    return Device.LastBuffer().Description.dwBufferBytes;
  }

  // The handlers the cases bind (public: a bound method names them from outside).
 public:
  void CountCall(TSoundCaptureStream&) { ++Calls; }
  void ReadAll(TSoundCaptureStream& stream) {
    ++Calls;
    EXPECT_EQ(GetCurrentThreadId(), MainThreadID());
    std::vector<uint8_t> bytes(static_cast<size_t>(stream.AvailableBytes()));
    stream.Read(bytes.data(), static_cast<int32_t>(bytes.size()));
    Received.insert(Received.end(), bytes.begin(), bytes.end());
  }
  void Fail(TSoundCaptureStream&) {
    ++Calls;
    throw EWaveStreamError(L"handler failed");
  }
  void RunOutOfMemory(TSoundCaptureStream&) {
    ++Calls;
    throw std::bad_alloc();
  }
  void StopFromHandler(TSoundCaptureStream& stream) {
    ++Calls;
    stream.Stop();
  }
  void DestroyFromHandler(TSoundCaptureStream&) {
    ++Calls;
    Owned.reset();
  }
  // Notes what it hears and how it finds the stream, then lets it go.
  void HearError(TSoundCaptureStream& stream, const Exception& error) {
    std::wstring text = error.Message();
    if (stream.IsCapturing() || stream.NotifyThread() != nullptr) text += L" (heard before the capture stopped)";
    Heard.push_back(text);
    Owned.reset();
  }

 protected:
  TScriptedCaptureDevice Device;
  TShownErrors Shown;
  std::vector<std::wstring> Heard;
  std::vector<uint8_t> Received;
  std::unique_ptr<TSoundCaptureStream> Owned;
  int Calls = 0;
};

using Self = SoundCaptureStreamTest;

}  // namespace

// --- Opening the device and probing its formats

TEST_F(SoundCaptureStreamTest, DeviceAcceptingEverythingGivesAll56FormatsInOrder) {
  TSoundCaptureStream stream(nullptr);
  ASSERT_EQ(stream.Formats().Count(), 56);
  int index = 0;
  for (int rate : kRates)
    for (int bits : {8, 16, 24, 32})
      for (int channels : {1, 2}) {
        const TSoundCaptureFormat& format = stream.Formats().Items(index++);
        EXPECT_EQ(format.SamplesPerSec, rate);
        EXPECT_EQ(format.BitsPerSample, bits);
        EXPECT_EQ(format.Channels, channels);
      }
  EXPECT_EQ(stream.Formats().Items(3 * 8).SamplesPerSec, 33075);
  EXPECT_EQ(stream.FormatIndex(), 0);
  EXPECT_EQ(stream.BufferMilliseconds(), 1000);
  EXPECT_FALSE(stream.IsCapturing());
}

TEST_F(SoundCaptureStreamTest, ProbesAskForOneSecondAndAreReleasedAtOnce) {
  TSoundCaptureStream stream(nullptr);
  ASSERT_EQ(Device.Buffers.size(), 56u);
  for (const auto& probe : Device.Buffers) {
    EXPECT_EQ(probe->Description.dwSize, sizeof(DSCBUFFERDESC));
    EXPECT_EQ(probe->Description.dwFlags, 0u);
    EXPECT_EQ(probe->Description.dwBufferBytes, probe->Format.nAvgBytesPerSec);
    EXPECT_EQ(probe->Format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(probe->Format.nBlockAlign, probe->Format.nChannels * probe->Format.wBitsPerSample / 8);
    EXPECT_TRUE(probe->Released);
  }
  EXPECT_EQ(Device.LiveObjects, 1) << "only the device itself stays open";
}

TEST_F(SoundCaptureStreamTest, DeviceAcceptingOnly44100Hz16BitGivesMonoThenStereo) {
  Device.AcceptAll = false;
  Device.Accepted = {{1, 2, 44100, 0, 0, 16, 0}, {1, 1, 44100, 0, 0, 16, 0}};
  TSoundCaptureStream stream(nullptr);
  ASSERT_EQ(stream.Formats().Count(), 2);
  EXPECT_EQ(stream.Formats().Items(0).Channels, 1);
  EXPECT_EQ(stream.Formats().Items(1).Channels, 2);
  EXPECT_EQ(stream.Formats().Items(1).SamplesPerSec, 44100);
  EXPECT_EQ(stream.Formats().Items(1).BitsPerSample, 16);
  EXPECT_EQ(stream.Formats().IndexOf(44100, 16, 2), 1);
  EXPECT_EQ(stream.Formats().IndexOf(44100, 8, 2), -1);
  EXPECT_EQ(stream.Formats().IndexOf(48000, 16, 1), -1);
}

TEST_F(SoundCaptureStreamTest, WideSamplesRefusedInThePlainRecordAreOpenedWithTheExtensibleOne) {
  Device.PlainPcmMaxBits = 16;
  auto stream = Started(96000, 32, 2);
  EXPECT_EQ(stream->Formats().Count(), 56);
  const TScriptedBuffer& plain = *Device.Buffers[Device.Buffers.size() - 2];
  const TScriptedBuffer& ring = Device.LastBuffer();
  EXPECT_EQ(plain.Format.wFormatTag, WAVE_FORMAT_PCM) << "the plain record is tried first";
  ASSERT_EQ(ring.Format.wFormatTag, WAVE_FORMAT_EXTENSIBLE);
  EXPECT_EQ(ring.Extensible.Format.cbSize, 22);
  EXPECT_EQ(ring.Extensible.Format.nBlockAlign, 8);
  EXPECT_EQ(ring.Extensible.Format.nAvgBytesPerSec, 768000u);
  EXPECT_EQ(ring.Extensible.Samples.wValidBitsPerSample, 32);
  EXPECT_EQ(ring.Extensible.dwChannelMask, static_cast<DWORD>(SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT));
  EXPECT_EQ(ring.Description.dwBufferBytes, 768000u);
  auto* format = static_cast<const TWaveFormatEx*>(stream->Format());
  EXPECT_EQ(format->wFormatTag, WAVE_FORMAT_PCM_TAG) << "the stream's own record stays plain PCM";

  size_t before = Device.Buffers.size();
  stream->SetFormatIndex(stream->Formats().IndexOf(44100, 16, 1));
  stream->Start();
  EXPECT_EQ(Device.Buffers.size(), before + 1) << "16-bit samples need no second try";
  EXPECT_EQ(Device.LastBuffer().Format.wFormatTag, WAVE_FORMAT_PCM);
}

TEST_F(SoundCaptureStreamTest, OnlyWideSamplesAreTriedTwice) {
  Device.AcceptAll = false;
  TSoundCaptureStream stream(nullptr);
  EXPECT_EQ(Device.Buffers.size(), 56u + 7 * 2 * 2);
  Device.AcceptAll = true;
  Device.PlainPcmMaxBits = 8;
  TSoundCaptureStream narrow(nullptr);
  EXPECT_EQ(narrow.Formats().Count(), 56 - 7 * 2) << "16-bit samples have no extensible fallback";
}

TEST_F(SoundCaptureStreamTest, OpensTheDeviceItIsGiven) {
  const GUID device{0x12345678, 0x9abc, 0xdef0, {1, 2, 3, 4, 5, 6, 7, 8}};
  TSoundCaptureStream chosen(&device);
  TSoundCaptureStream primary(nullptr);
  ASSERT_EQ(Device.OpenedGuids.size(), 2u);
  EXPECT_TRUE(IsEqualGUID(Device.OpenedGuids[0], device));
  EXPECT_TRUE(IsEqualGUID(Device.OpenedGuids[1], GUID_NULL));
}

TEST_F(SoundCaptureStreamTest, DeviceThatCannotOpenRaisesCannotBeInitialized) {
  Device.CreateResult = DSERR_NODRIVER;
  EXPECT_EQ(RaisedMessage([] { TSoundCaptureStream stream(nullptr); }), L"DirectSoundCapture cannot be initialized");
  EXPECT_THROW(TSoundCaptureStream(nullptr), ESoundCaptureStreamError);
  Device.CreateResult = S_FALSE;  // success codes other than 0 count as failure too
  EXPECT_THROW(TSoundCaptureStream(nullptr), EWaveStreamError);
}

TEST_F(SoundCaptureStreamTest, DeviceAcceptingNothingListsNoFormatAndStartRaisesTheListError) {
  Device.AcceptAll = false;
  TSoundCaptureStream stream(nullptr);
  EXPECT_EQ(stream.Formats().Count(), 0);
  EXPECT_EQ(RaisedMessage([&] { stream.Start(); }), L"List index out of bounds (0)");
  EXPECT_FALSE(stream.IsCapturing());
}

// --- Start, the ring and its format

TEST_F(SoundCaptureStreamTest, StartMakesARingOfTheChosenFormatAndLength) {
  auto stream = Started(44100, 16, 1);
  const TScriptedBuffer& ring = Device.LastBuffer();
  EXPECT_EQ(ring.Description.dwBufferBytes, 88200u);
  EXPECT_EQ(ring.Description.dwSize, sizeof(DSCBUFFERDESC));
  EXPECT_EQ(ring.StartFlags, static_cast<DWORD>(DSCBSTART_LOOPING));
  ASSERT_EQ(stream->FormatSize(), 18);
  auto* format = static_cast<const TWaveFormatEx*>(stream->Format());
  EXPECT_EQ(format->nSamplesPerSec, 44100u);
  EXPECT_EQ(format->nAvgBytesPerSec, 88200u);
  EXPECT_EQ(format->nBlockAlign, 2);
  EXPECT_EQ(format->cbSize, 0);
  EXPECT_TRUE(stream->IsCapturing());
  EXPECT_EQ(stream->NotifyThread(), nullptr) << "no handler, no thread";
}

TEST_F(SoundCaptureStreamTest, RingLengthFollowsBufferMillisecondsWithAn8000ByteFloor) {
  EXPECT_EQ(RingBytes(8000, 8, 1, 500), 8000u);
  EXPECT_EQ(RingBytes(8000, 8, 1, 1000), 8000u);
  EXPECT_EQ(RingBytes(8000, 8, 1, 1500), 12000u);
  EXPECT_EQ(RingBytes(44100, 16, 2, 250), 44100u);
  EXPECT_EQ(RingBytes(11025, 8, 1, 999), 11014u) << "rounded";
  EXPECT_EQ(RingBytes(44100, 16, 1, -5), 8000u);
}

TEST_F(SoundCaptureStreamTest, BadFormatIndexRaisesTheListErrorAndLeavesTheStreamStopped) {
  TSoundCaptureStream stream(nullptr);
  for (int bad : {56, -1, 1000}) {
    stream.SetFormatIndex(bad);
    EXPECT_EQ(RaisedMessage([&] { stream.Start(); }), L"List index out of bounds (" + std::to_wstring(bad) + L")");
    EXPECT_THROW(stream.Start(), EListError);
    EXPECT_FALSE(stream.IsCapturing());
  }
  EXPECT_EQ(Device.Buffers.size(), 56u) << "no ring was made";
}

TEST_F(SoundCaptureStreamTest, RingThatCannotBeMadeRaisesAndLeavesTheStreamStopped) {
  TSoundCaptureStream stream(nullptr);
  stream.SetOnDataAvailable(TDataAvailableEvent::Of<&Self::CountCall>(*this));
  Device.AcceptAll = false;
  EXPECT_EQ(RaisedMessage([&] { stream.Start(); }), L"Sound Capture Buffer cannot be made");
  EXPECT_THROW(stream.Start(), ESoundCaptureStreamError);
  EXPECT_FALSE(stream.IsCapturing());
  EXPECT_EQ(stream.NotifyThread(), nullptr);
  EXPECT_EQ(stream.AvailableBytes(), 0);
}

TEST_F(SoundCaptureStreamTest, StartOnARunningStreamRestartsWithAFreshRing) {
  auto stream = Started(8000, 8, 1);
  stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::CountCall>(*this));
  TKernelHandle firstThread = OpenThreadOf(*stream);
  std::shared_ptr<TScriptedBuffer> first = Device.Buffers.back();
  first->ReadPosition = 3000;
  std::vector<uint8_t> bytes(1000);
  stream->Read(bytes.data(), 1000);

  Device.InitialReadPosition = 10;
  stream->Start();
  EXPECT_EQ(first->Stops, 1);
  EXPECT_TRUE(first->Released);
  EXPECT_TRUE(Ended(firstThread));
  ASSERT_NE(stream->NotifyThread(), nullptr);
  EXPECT_NE(&Device.LastBuffer(), first.get());
  EXPECT_EQ(stream->AvailableBytes(), 10) << "reading starts at offset 0 of the new ring";
  stream->Read(bytes.data(), 10);
  EXPECT_EQ(Device.LastBuffer().LockOffsets, std::vector<DWORD>{0});
}

TEST_F(SoundCaptureStreamTest, StopEndsTheCaptureOnceAndDestructionStopsARunningStream) {
  auto stream = Started(22050, 16, 2);
  std::shared_ptr<TScriptedBuffer> ring = Device.Buffers.back();
  stream->Stop();
  stream->Stop();
  EXPECT_EQ(ring->Stops, 1);
  EXPECT_TRUE(ring->Released);
  EXPECT_FALSE(stream->IsCapturing());
  EXPECT_EQ(stream->AvailableBytes(), 0);

  stream->Start();
  ring = Device.Buffers.back();
  stream.reset();
  EXPECT_EQ(ring->Stops, 1);
  EXPECT_EQ(Device.LiveObjects, 0) << "ring and device released";
}

// --- Reading

TEST_F(SoundCaptureStreamTest, AvailableBytesCountsCyclicallyFromTheReadOffset) {
  auto stream = Started(8000, 8, 1);  // an 8000-byte ring
  TScriptedBuffer& ring = Device.LastBuffer();
  ring.ReadPosition = 6000;
  EXPECT_EQ(stream->AvailableBytes(), 6000);
  std::vector<uint8_t> bytes(6000);
  stream->Read(bytes.data(), 6000);
  EXPECT_EQ(stream->AvailableBytes(), 0);
  ring.ReadPosition = 2000;
  EXPECT_EQ(stream->AvailableBytes(), 4000);
  ring.ReadPosition = 7999;
  EXPECT_EQ(stream->AvailableBytes(), 1999);
  ring.PositionFails = true;
  EXPECT_EQ(stream->AvailableBytes(), 0);
}

TEST_F(SoundCaptureStreamTest, ReadPositionOutsideTheRingCountsAsNothingAvailable) {
  auto stream = Started(8000, 8, 1);
  Device.LastBuffer().Ring.resize(20000);  // the device claims a position past our ring's end
  Device.LastBuffer().ReadPosition = 9000;
  EXPECT_EQ(stream->AvailableBytes(), 0);
}

TEST_F(SoundCaptureStreamTest, ReadAcrossTheRingsEndJoinsBothRegionsInOrder) {
  auto stream = Started(8000, 8, 1);
  TScriptedBuffer& ring = Device.LastBuffer();
  ring.ReadPosition = 6000;
  std::vector<uint8_t> bytes(6000);
  ASSERT_EQ(stream->Read(bytes.data(), 6000), 6000);
  ring.ReadPosition = 2000;
  std::vector<uint8_t> wrapped(4000);
  ASSERT_EQ(stream->Read(wrapped.data(), 4000), 4000);
  for (size_t i = 0; i < wrapped.size(); ++i)
    ASSERT_EQ(wrapped[i], TScriptedCaptureDevice::RingByte((6000 + i) % 8000)) << i;
  ring.ReadPosition = 2500;
  stream->Read(bytes.data(), 500);
  EXPECT_EQ(ring.LockOffsets, (std::vector<DWORD>{0, 6000, 2000}));
}

// Recording after recording, a stream may hand out more than 2 GiB: its
// position goes on counting past 2^31 instead of wrapping round.
TEST_F(SoundCaptureStreamTest, PositionGoesOnCountingPastTwoGib) {
  auto stream = Started(8000, 8, 1);
  constexpr int32_t kNearEnd = INT32_MAX - 100;
  EXPECT_EQ(stream->Seek(kNearEnd, soFromBeginning), kNearEnd);
  Device.LastBuffer().ReadPosition = 4000;
  std::vector<uint8_t> bytes(1000);
  ASSERT_EQ(stream->Read(bytes.data(), 1000), 1000);
  EXPECT_EQ(stream->Position(), INT32_MAX) << "the 32-bit position stops at its largest value";
  EXPECT_EQ(stream->Seek(-1000, soFromCurrent), kNearEnd) << "the count itself went on";
}

TEST_F(SoundCaptureStreamTest, ReadWaitsForTheDeviceUntilTheWholeCountArrived) {
  auto stream = Started(8000, 8, 1);
  TScriptedBuffer& ring = Device.LastBuffer();
  ring.AdvancePerPositionCall = 300;
  std::vector<uint8_t> bytes(1000);
  EXPECT_EQ(stream->Read(bytes.data(), 1000), 1000);
  for (size_t i = 0; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], TScriptedCaptureDevice::RingByte(i)) << i;
  EXPECT_GE(ring.LockOffsets.size(), 2u) << "the read took several polls";
}

TEST_F(SoundCaptureStreamTest, FailingDeviceRaisesItsErrorFromReadInsteadOfInventingSound) {
  auto stream = Started(8000, 16, 1);
  TScriptedBuffer& ring = Device.LastBuffer();
  ring.ReadPosition = 400;
  ring.AdvancePerPositionCall = 50;
  ring.LocksBeforeFailure = 1;
  std::vector<uint8_t> bytes(1000);
  const std::wstring lockFailed = L"Sound Capture Buffer failed (error 0x80070057)";
  EXPECT_EQ(RaisedMessage([&] { stream->Read(bytes.data(), 1000); }), lockFailed);
  EXPECT_EQ(RaisedMessage([&] { stream->CheckDevice(); }), lockFailed) << "the device stays failed";

  stream->Start();  // a fresh ring, and the failure is forgotten
  Device.LastBuffer().PositionFails = true;
  EXPECT_NO_THROW(stream->CheckDevice());
  EXPECT_EQ(stream->AvailableBytes(), 0);
  EXPECT_THROW(stream->Read(bytes.data(), 1000), ESoundCaptureStreamError) << "no endless wait for a dead device";
  EXPECT_EQ(RaisedMessage([&] { stream->CheckDevice(); }), L"Sound Capture Buffer failed (error 0x80004005)");

  stream->Start();
  Device.LastBuffer().Lost = true;
  EXPECT_EQ(RaisedMessage([&] { stream->CheckDevice(); }), L"Sound Capture Buffer has stopped capturing");
  stream->Stop();
  EXPECT_NO_THROW(stream->CheckDevice()) << "a stopped stream has no device to check";
}

TEST_F(SoundCaptureStreamTest, RegionsLongerThanAskedForAreNotCopiedPastTheRequest) {
  auto stream = Started(8000, 8, 1);
  TScriptedBuffer& ring = Device.LastBuffer();
  ring.ReadPosition = 7950;
  std::vector<uint8_t> skip(7900);
  stream->Read(skip.data(), 7900);
  ring.ReadPosition = 200;
  ring.LockExcess = 64;
  std::vector<uint8_t> bytes(300 + 100, 0xEE);
  stream->Read(bytes.data(), 300);
  for (size_t i = 300; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0xEE) << "written past the request at " << i;
  EXPECT_EQ(bytes[99], TScriptedCaptureDevice::RingByte(7999));
  EXPECT_EQ(bytes[299], TScriptedCaptureDevice::RingByte(199));
  EXPECT_EQ(stream->AvailableBytes(), 0) << "the offset moved by what was copied";
}

TEST_F(SoundCaptureStreamTest, ReadOnAStoppedStreamStartsTheCapture) {
  TSoundCaptureStream stream(nullptr);
  EXPECT_EQ(stream.Read(nullptr, 0), 0);
  EXPECT_TRUE(stream.IsCapturing());
  EXPECT_EQ(Device.Buffers.size(), 57u);

  stream.Stop();
  Device.InitialReadPosition = 100;
  uint8_t bytes[100];
  EXPECT_EQ(stream.Read(bytes, 100), 100);
  EXPECT_TRUE(stream.IsCapturing());
  EXPECT_EQ(bytes[99], TScriptedCaptureDevice::RingByte(99));
  EXPECT_EQ(stream.Read(bytes, -5), 0) << "negative counts read nothing";
}

TEST_F(SoundCaptureStreamTest, WithoutAHandlerSoundWaitsInTheRingForRead) {
  auto stream = Started(44100, 16, 1);
  Device.LastBuffer().ReadPosition = 4410;
  Application.ProcessMessagesFor(200);
  EXPECT_EQ(stream->NotifyThread(), nullptr);
  std::vector<uint8_t> bytes(4410);
  stream->Read(bytes.data(), 4410);
  EXPECT_EQ(bytes[4409], TScriptedCaptureDevice::RingByte(4409));
}

// --- The notification thread

TEST_F(SoundCaptureStreamTest, PollIntervalIsAQuarterOfTheRingAtMost50Milliseconds) {
  const std::pair<int, int> cases[] = {{1000, 50}, {200, 50}, {199, 49}, {100, 25}, {4, 1}, {3, 0}, {0, 0}, {-40, 0}};
  for (auto [milliseconds, interval] : cases) {
    auto stream = Started(8000, 8, 1, milliseconds);
    stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::CountCall>(*this));
    ASSERT_NE(stream->NotifyThread(), nullptr);
    EXPECT_EQ(stream->NotifyThread()->PollInterval(), interval) << milliseconds;
  }
}

TEST_F(SoundCaptureStreamTest, HandlerRunsOnTheMainThreadWhileBytesWait) {
  auto stream = Started(8000, 8, 1);
  stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::ReadAll>(*this));
  Application.ProcessMessagesFor(300);
  EXPECT_EQ(Calls, 0) << "nothing captured, no call";

  Device.LastBuffer().AdvancePerPositionCall = 40;
  Application.ProcessMessagesFor(500);
  stream->Stop();
  EXPECT_GT(Calls, 3);
  ASSERT_GT(Received.size(), 0u);
  for (size_t i = 0; i < Received.size(); ++i) ASSERT_EQ(Received[i], TScriptedCaptureDevice::RingByte(i % 8000));
}

TEST_F(SoundCaptureStreamTest, EveryWayACaptureFailsStopsItBeforeItsOwnerHearsOnce) {
  enum TFailure { fHandler, fOutOfMemory, fLock, fPosition, fLost };
  const std::pair<TFailure, const wchar_t*> cases[] = {
      {fHandler, L"handler failed"},
      {fOutOfMemory, L"Out of memory"},
      {fLock, L"Sound Capture Buffer failed (error 0x80070057)"},
      {fPosition, L"Sound Capture Buffer failed (error 0x80004005)"},
      {fLost, L"Sound Capture Buffer has stopped capturing"},
  };
  for (auto [failure, message] : cases) {
    Owned = Started(8000, 8, 1);
    TScriptedBuffer& ring = Device.LastBuffer();
    ring.AdvancePerPositionCall = 40;
    ring.LocksBeforeFailure = failure == fLock ? 3 : -1;
    Calls = 0;
    Heard.clear();
    Owned->SetOnCaptureError(TCaptureErrorEvent::Of<&Self::HearError>(*this));
    Owned->SetOnDataAvailable(failure == fHandler       ? TDataAvailableEvent::Of<&Self::Fail>(*this)
                              : failure == fOutOfMemory ? TDataAvailableEvent::Of<&Self::RunOutOfMemory>(*this)
                                                        : TDataAvailableEvent::Of<&Self::ReadAll>(*this));
    TKernelHandle thread = OpenThreadOf(*Owned);
    if (failure == fPosition || failure == fLost) {
      ProcessMessagesUntil([&] { return Calls > 0; });
      EXPECT_GT(Calls, 0) << message << ": the device worked at first";
      (failure == fPosition ? ring.PositionFails : ring.Lost) = true;
    }
    ProcessMessagesUntil([&] { return !Heard.empty(); });
    Application.ProcessMessagesFor(200);
    EXPECT_EQ(Heard, std::vector<std::wstring>{message});
    EXPECT_TRUE(Shown.Texts.empty()) << "the owner shows it, not the application";
    EXPECT_TRUE(Ended(thread)) << message;
    EXPECT_EQ(ring.Stops, 1) << message;
    EXPECT_TRUE(ring.Released) << message;
    EXPECT_EQ(Owned, nullptr) << "the owner may destroy the stream when it hears";
  }
  EXPECT_EQ(Device.LiveObjects, 0);
}

TEST_F(SoundCaptureStreamTest, SameHandlerAgainLeavesTheThreadAlone) {
  auto stream = Started(8000, 8, 1);
  stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::CountCall>(*this));
  const TSoundCaptureStreamNotify* thread = stream->NotifyThread();
  TKernelHandle running = OpenThreadOf(*stream);
  stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::CountCall>(*this));
  EXPECT_EQ(stream->NotifyThread(), thread);
  EXPECT_FALSE(Ended(running, 100));
}

TEST_F(SoundCaptureStreamTest, NewHandlerReplacesTheThreadAndNoHandlerEndsIt) {
  auto stream = Started(8000, 8, 1);
  stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::CountCall>(*this));
  TKernelHandle first = OpenThreadOf(*stream);
  stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::ReadAll>(*this));
  EXPECT_TRUE(Ended(first));
  TKernelHandle second = OpenThreadOf(*stream);
  stream->SetOnDataAvailable({});
  EXPECT_TRUE(Ended(second));
  EXPECT_EQ(stream->NotifyThread(), nullptr);
  EXPECT_TRUE(stream->IsCapturing()) << "the capture goes on";
  EXPECT_FALSE(Device.LastBuffer().Released);
}

TEST_F(SoundCaptureStreamTest, HandlerSetWhileStoppedStartsItsThreadWithTheCapture) {
  TSoundCaptureStream stream(nullptr);
  stream.SetOnDataAvailable(TDataAvailableEvent::Of<&Self::CountCall>(*this));
  EXPECT_EQ(stream.NotifyThread(), nullptr);
  stream.Start();
  EXPECT_NE(stream.NotifyThread(), nullptr);
  stream.Stop();
  EXPECT_EQ(stream.NotifyThread(), nullptr);
  EXPECT_TRUE(stream.OnDataAvailable() == TDataAvailableEvent::Of<&Self::CountCall>(*this));
}

TEST_F(SoundCaptureStreamTest, HandlerErrorIsShownAndStopsTheCaptureOnce) {
  auto stream = Started(8000, 8, 1);
  Device.LastBuffer().ReadPosition = 100;
  std::shared_ptr<TScriptedBuffer> ring = Device.Buffers.back();
  stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::Fail>(*this));
  TKernelHandle thread = OpenThreadOf(*stream);
  Application.ProcessMessagesFor(300);

  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(Shown.Texts, std::vector<std::wstring>{L"handler failed"});
  EXPECT_FALSE(stream->IsCapturing());
  EXPECT_EQ(stream->NotifyThread(), nullptr);
  EXPECT_TRUE(Ended(thread));
  EXPECT_EQ(ring->Stops, 1);
  stream->Stop();
  stream.reset();
  EXPECT_EQ(ring->Stops, 1);
  EXPECT_EQ(Device.LiveObjects, 0);
}

TEST_F(SoundCaptureStreamTest, HandlerErrorThenRestartCapturesAgain) {
  auto stream = Started(8000, 8, 1);
  Device.InitialReadPosition = 100;
  Device.LastBuffer().ReadPosition = 100;
  stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::Fail>(*this));
  Application.ProcessMessagesFor(200);
  ASSERT_FALSE(stream->IsCapturing());
  stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::ReadAll>(*this));
  stream->Start();
  Application.ProcessMessagesFor(200);
  EXPECT_TRUE(stream->IsCapturing());
  EXPECT_EQ(Received.size(), 100u);
}

TEST_F(SoundCaptureStreamTest, StopFromInsideTheHandlerEndsTheThreadWithoutWaitingForItself) {
  auto stream = Started(8000, 8, 1);
  Device.LastBuffer().ReadPosition = 100;
  stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::StopFromHandler>(*this));
  TKernelHandle thread = OpenThreadOf(*stream);
  Application.ProcessMessagesFor(300);
  EXPECT_EQ(Calls, 1);
  EXPECT_FALSE(stream->IsCapturing());
  EXPECT_TRUE(Ended(thread));
  EXPECT_TRUE(Shown.Texts.empty());
}

TEST_F(SoundCaptureStreamTest, StreamDestroyedInsideTheHandlerIsNotTouchedAgain) {
  Owned = Started(8000, 8, 1);
  Device.LastBuffer().ReadPosition = 100;
  Owned->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::DestroyFromHandler>(*this));
  TKernelHandle thread = OpenThreadOf(*Owned);
  Application.ProcessMessagesFor(300);
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(Owned, nullptr);
  EXPECT_TRUE(Ended(thread));
  EXPECT_EQ(Device.LiveObjects, 0);
}

TEST_F(SoundCaptureStreamTest, StopWhileAStepIsQueuedRunsNoHandlerAfterwards) {
  auto stream = Started(8000, 8, 1);
  Device.LastBuffer().ReadPosition = 100;
  stream->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::CountCall>(*this));
  Sleep(200);  // the thread is now blocked in a step the main thread has not run
  stream->Stop();
  int calls = Calls;
  Application.ProcessMessagesFor(200);
  EXPECT_EQ(Calls, calls);
  EXPECT_EQ(calls, 0) << "a step run while Stop waits does not call the handler";
}

// A driver that loses its capture thread goes on claiming to capture while its
// position stands still: the ring is made again and the capture goes on from
// the new ring's start; a device whose rings never move has failed, and the
// owner hears so once the capture stopped.
TEST_F(SoundCaptureStreamTest, ARingThatStandsStillIsMadeAgainAndRingsThatNeverMoveEndTheCapture) {
  Owned = Started(8000, 8, 1);
  Owned->SetStallMilliseconds(150);
  Owned->SetOnCaptureError(TCaptureErrorEvent::Of<&Self::HearError>(*this));
  Owned->SetOnDataAvailable(TDataAvailableEvent::Of<&Self::ReadAll>(*this));
  const std::shared_ptr<TScriptedBuffer> first = Device.Buffers.back();
  first->AdvancePerPositionCall = 40;
  ProcessMessagesUntil([&] { return Calls >= 3; });
  first->AdvancePerPositionCall = 0;
  ProcessMessagesUntil([&] { return Device.Buffers.back() != first; });
  const std::shared_ptr<TScriptedBuffer> second = Device.Buffers.back();
  ASSERT_NE(second, first) << "the ring that stood still was made again";
  EXPECT_TRUE(first->Released);
  EXPECT_EQ(first->Stops, 1);
  EXPECT_EQ(second->Starts, 1);
  EXPECT_EQ(second->StartFlags, static_cast<DWORD>(DSCBSTART_LOOPING));
  EXPECT_EQ(second->Description.dwBufferBytes, first->Description.dwBufferBytes);
  const size_t before = Received.size();
  second->AdvancePerPositionCall = 40;
  ProcessMessagesUntil([&] { return Received.size() > before + 400; });
  ASSERT_GT(Received.size(), before + 400) << "the capture goes on";
  for (size_t i = before; i < Received.size(); ++i)
    ASSERT_EQ(Received[i], TScriptedCaptureDevice::RingByte(i - before)) << "from the new ring's start";
  EXPECT_TRUE(Heard.empty());

  second->AdvancePerPositionCall = 0;
  const size_t rings = Device.Buffers.size();
  ProcessMessagesUntil([&] { return !Heard.empty(); });
  EXPECT_EQ(Heard, std::vector<std::wstring>{L"Sound Capture Buffer delivers no sound"});
  EXPECT_EQ(Device.Buffers.size(), rings + 3) << "three more rings were tried";
  EXPECT_EQ(Owned, nullptr);
  EXPECT_EQ(Device.LiveObjects, 0);
  EXPECT_TRUE(Shown.Texts.empty());
}
