#include "capture/SoundCaptureStream.h"

#include <algorithm>
#include <cstring>

#include "capture/DirectSoundEntries.h"
#include "capture/SoundCaptureStreamNotify.h"
#include "toolkit/platform/Application.h"

namespace {

constexpr int32_t kMinimumRingBytes = 8000;
constexpr DWORD kReadPollMilliseconds = 50;

}  // namespace

TSoundCaptureStream::TSoundCaptureStream(const GUID* deviceGuid) {
  if (CallDirectSoundCaptureCreate(deviceGuid, CaptureDevice) != 0 || !CaptureDevice)
    throw ESoundCaptureStreamError(L"%s cannot be initialized", {L"DirectSoundCapture"});
  ProbeCaptureFormats(*CaptureDevice.Get(), FFormats);
}

TSoundCaptureStream::~TSoundCaptureStream() {
  Stop();
  FFormats.Clear();
  SetFormatSize(0);
  CaptureDevice.Reset();
}

void TSoundCaptureStream::SetOnDataAvailable(const TDataAvailableEvent& handler) {
  if (handler == FOnDataAvailable) return;
  if (FIsCapturing && FOnDataAvailable) EndNotifyThread();
  FOnDataAvailable = handler;
  if (FIsCapturing && FOnDataAvailable) StartNotifyThread();
}

void TSoundCaptureStream::Start() {
  Stop();
  FIsCapturing = true;
  try {
    StartCapture();
  } catch (...) {
    Stop();
    throw;
  }
}

void TSoundCaptureStream::StartCapture() {
  SetFormatSize(sizeof(TWaveFormatEx));
  const TSoundCaptureFormat& item = FFormats.Items(FFormatIndex);
  auto& format = *static_cast<TWaveFormatEx*>(Format());
  FillPcmFormat(format, static_cast<uint32_t>(item.SamplesPerSec), static_cast<uint16_t>(item.BitsPerSample),
                static_cast<uint16_t>(item.Channels));
  int32_t ringBytes = MulDiv(static_cast<int>(format.nAvgBytesPerSec), FBufferMilliseconds, 1000);
  BufferBytes = std::max(ringBytes, kMinimumRingBytes);
  FDeviceFailure = S_OK;
  FStalledRings = 0;
  StartRing();
  if (FOnDataAvailable) StartNotifyThread();
}

void TSoundCaptureStream::StartRing() {
  auto& format = *static_cast<TWaveFormatEx*>(Format());
  if (CreateCaptureBuffer(*CaptureDevice.Get(), format, static_cast<uint32_t>(BufferBytes), CaptureBuffer) != 0 ||
      !CaptureBuffer)
    throw ESoundCaptureStreamError(L"%s cannot be made", {L"Sound Capture Buffer"});
  ReadOffset = 0;
  FPositionKnown = false;
  FLastProgress = GetTickCount64();
  CaptureBuffer->Start(DSCBSTART_LOOPING);
}

// Nothing waits in a ring that stood still, so nothing is lost with it.
void TSoundCaptureStream::RestartStalledRing() {
  constexpr int kMostStalledRings = 3;
  if (++FStalledRings > kMostStalledRings)
    throw ESoundCaptureStreamError(L"%s delivers no sound", {L"Sound Capture Buffer"});
  CaptureBuffer->Stop();
  CaptureBuffer.Reset();
  StartRing();
}

void TSoundCaptureStream::Stop() {
  if (!FIsCapturing) return;
  EndNotifyThread();
  FIsCapturing = false;
  if (CaptureBuffer) CaptureBuffer->Stop();
  CaptureBuffer.Reset();
}

void TSoundCaptureStream::StartNotifyThread() {
  FNotifyThread = std::make_unique<TSoundCaptureStreamNotify>(*this);
  FNotifyThread->Resume();
}

// The stream lets go of the thread before ending it, so that nothing run
// while the end is awaited (a pending update step) can reach it again.
void TSoundCaptureStream::EndNotifyThread() {
  std::unique_ptr<TSoundCaptureStreamNotify> thread = std::move(FNotifyThread);
  if (thread) TSoundCaptureStreamNotify::End(std::move(thread));
}

int32_t TSoundCaptureStream::AvailableBytes() {
  if (!CaptureBuffer) return 0;
  DWORD capturePosition = 0;
  DWORD readPosition = 0;
  HRESULT result = CaptureBuffer->GetCurrentPosition(&capturePosition, &readPosition);
  if (result != 0) {
    NoteDeviceFailure(result);
    return 0;
  }
  if (!FPositionKnown) {
    FPositionKnown = true;  // a new ring's first answer is where it starts from
    FLastReadPosition = readPosition;
  } else if (readPosition != FLastReadPosition) {
    FLastReadPosition = readPosition;
    FLastProgress = GetTickCount64();
    FStalledRings = 0;
  }
  auto ringBytes = static_cast<uint32_t>(BufferBytes);
  if (readPosition >= ringBytes) return 0;  // not a position in our ring
  if (ReadOffset <= readPosition) return static_cast<int32_t>(readPosition - ReadOffset);
  return static_cast<int32_t>(ringBytes - ReadOffset + readPosition);
}

int32_t TSoundCaptureStream::ReadData(void* buffer, int32_t count) {
  if (!FIsCapturing) Start();
  CopyCaptured(static_cast<uint8_t*>(buffer), count);
  return count;
}

void TSoundCaptureStream::CopyCaptured(uint8_t* buffer, int32_t count) {
  int32_t copied = 0;
  while (copied < count) {
    int32_t wanted = std::min(count - copied, AvailableBytes());
    if (FDeviceFailure != S_OK) RaiseDeviceFailure();
    if (wanted > 0) copied += CopyFromRing(buffer + copied, wanted);
    if (copied < count) Sleep(kReadPollMilliseconds);
  }
}

// Copies the ring's bytes at ReadOffset straight into buffer; a ring that
// cannot be locked raises. Regions are clamped to what was asked for, so a
// device that reports longer regions cannot write past the caller's buffer.
int32_t TSoundCaptureStream::CopyFromRing(uint8_t* buffer, int32_t count) {
  void* region1 = nullptr;
  void* region2 = nullptr;
  DWORD length1 = 0;
  DWORD length2 = 0;
  auto wanted = static_cast<DWORD>(count);
  HRESULT result = CaptureBuffer->Lock(ReadOffset, wanted, &region1, &length1, &region2, &length2, 0);
  if (result != 0) {
    NoteDeviceFailure(result);
    RaiseDeviceFailure();
  }
  DWORD copy1 = region1 ? std::min(length1, wanted) : 0;
  DWORD copy2 = region2 ? std::min(length2, wanted - copy1) : 0;
  if (copy1 > 0) std::memcpy(buffer, region1, copy1);
  if (copy2 > 0) std::memcpy(buffer + copy1, region2, copy2);
  CaptureBuffer->Unlock(region1, length1, region2, length2);
  ReadOffset = (ReadOffset + copy1 + copy2) % static_cast<uint32_t>(BufferBytes);
  return static_cast<int32_t>(copy1 + copy2);
}

void TSoundCaptureStream::CheckDevice() {
  if (!FIsCapturing) return;
  if (FDeviceFailure != S_OK) RaiseDeviceFailure();
  DWORD status = 0;
  HRESULT result = CaptureBuffer->GetStatus(&status);
  if (result != 0) {
    NoteDeviceFailure(result);
    RaiseDeviceFailure();
  }
  if ((status & DSCBSTATUS_CAPTURING) == 0)
    throw ESoundCaptureStreamError(L"%s has stopped capturing", {L"Sound Capture Buffer"});
  AvailableBytes();  // notes whether the position moved since it was last asked
  if (GetTickCount64() - FLastProgress > static_cast<ULONGLONG>(std::max(FStallMilliseconds, 0))) RestartStalledRing();
}

void TSoundCaptureStream::NoteDeviceFailure(HRESULT result) {
  if (FDeviceFailure == S_OK) FDeviceFailure = result;
}

void TSoundCaptureStream::RaiseDeviceFailure() {
  auto code = static_cast<uint32_t>(FDeviceFailure);
  throw ESoundCaptureStreamError(L"%s failed (error 0x%x)", {L"Sound Capture Buffer", code});
}

void TSoundCaptureStream::DoDataAvailable() {
  if (FOnDataAvailable) FOnDataAvailable(*this);
}

void TSoundCaptureStream::DoCaptureError(const Exception& error) {
  if (FOnCaptureError)
    FOnCaptureError(*this, error);
  else
    Application.HandleException(error);
}
