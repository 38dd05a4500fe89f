// A read-only wave stream of the sound a DirectSound capture device records
// into a looping ring buffer. A notification thread raises OnDataAvailable on
// the main thread whenever captured bytes wait; the handler reads them. When
// the capture cannot go on (the handler raised, or the device failed), the
// thread stops it and raises OnCaptureError.
#pragma once

#include <cstdint>
#include <memory>

#include "capture/DirectX.h"
#include "capture/SoundCaptureFormat.h"
#include "toolkit/core/Method.h"
#include "wave/CustomWaveStream.h"

class TSoundCaptureStream;
class TSoundCaptureStreamNotify;

class ESoundCaptureStreamError : public EWaveStreamError {
 public:
  using EWaveStreamError::EWaveStreamError;
};

using TDataAvailableEvent = TMethod<TSoundCaptureStream&>;
using TCaptureErrorEvent = TMethod<TSoundCaptureStream&, const Exception&>;

class TSoundCaptureStream : public TCustomWaveStream2 {
 public:
  // Opens the device (null: the system's default one) and finds its formats.
  explicit TSoundCaptureStream(const GUID* deviceGuid);
  ~TSoundCaptureStream() override;

  const TSoundCaptureFormats& Formats() const { return FFormats; }
  int32_t FormatIndex() const { return FFormatIndex; }
  void SetFormatIndex(int32_t index) { FFormatIndex = index; }
  // The ring's length; it takes effect at the next Start.
  int32_t BufferMilliseconds() const { return FBufferMilliseconds; }
  void SetBufferMilliseconds(int32_t milliseconds) { FBufferMilliseconds = milliseconds; }
  bool IsCapturing() const { return FIsCapturing; }
  // How long a capturing device may keep its read position still before its
  // ring is made again (a driver can lose its capture thread and then claims
  // to capture while it delivers nothing); a few rings in a row that never
  // move mean the device has failed.
  int32_t StallMilliseconds() const { return FStallMilliseconds; }
  void SetStallMilliseconds(int32_t milliseconds) { FStallMilliseconds = milliseconds; }

  const TDataAvailableEvent& OnDataAvailable() const { return FOnDataAvailable; }
  // Takes effect at once while capturing; the capture goes on without a break.
  void SetOnDataAvailable(const TDataAvailableEvent& handler);
  // Raised, with the error, after the notification thread stopped the capture
  // because of it; without a handler the application's error display shows it.
  const TCaptureErrorEvent& OnCaptureError() const { return FOnCaptureError; }
  void SetOnCaptureError(const TCaptureErrorEvent& handler) { FOnCaptureError = handler; }
  // The running notification thread, if any.
  const TSoundCaptureStreamNotify* NotifyThread() const { return FNotifyThread.get(); }

  // Starts capturing in Formats()[FormatIndex()] from an empty ring, stopping
  // a running capture first. A failed Start leaves the stream stopped.
  void Start();
  // Ends the capture; bytes not read yet are discarded.
  void Stop();

  // Captured bytes ready to read; 0 while stopped, and when the device
  // cannot tell (which CheckDevice then reports).
  int32_t AvailableBytes() override;
  // Blocks until count bytes are captured (starting the capture if needed).
  // A capture buffer that reports an error raises it (see CheckDevice).
  int32_t ReadData(void* buffer, int32_t count) override;
  // Raises ESoundCaptureStreamError when the running capture's buffer has
  // reported an error or has stopped capturing on its own (a device that
  // failed or went away), or has stood still in ring after ring; a ring that
  // stood still for StallMilliseconds is made again.
  void CheckDevice();
  virtual void DoDataAvailable();
  virtual void DoCaptureError(const Exception& error);

 private:
  friend class TSoundCaptureStreamNotify;

  void StartCapture();
  // Makes the ring of the format set and starts it looping from its start.
  void StartRing();
  void RestartStalledRing();
  void StartNotifyThread();
  void EndNotifyThread();
  void CopyCaptured(uint8_t* buffer, int32_t count);
  int32_t CopyFromRing(uint8_t* buffer, int32_t count);
  void NoteDeviceFailure(HRESULT result);
  [[noreturn]] void RaiseDeviceFailure();

  TComRef<IDirectSoundCaptureBuffer> CaptureBuffer;
  int32_t FBufferMilliseconds = 1000;
  uint32_t ReadOffset = 0;
  int32_t BufferBytes = 0;
  TComRef<IDirectSoundCapture> CaptureDevice;
  int32_t FFormatIndex = 0;
  bool FIsCapturing = false;
  std::unique_ptr<TSoundCaptureStreamNotify> FNotifyThread;
  TDataAvailableEvent FOnDataAvailable;
  TCaptureErrorEvent FOnCaptureError;
  HRESULT FDeviceFailure = S_OK;  // the first error the running capture's buffer reported
  int32_t FStallMilliseconds = 3000;
  bool FPositionKnown = false;
  DWORD FLastReadPosition = 0;
  ULONGLONG FLastProgress = 0;      // when the read position last moved, or the ring started
  int FStalledRings = 0;            // rings made again in a row without the position moving
  TSoundCaptureFormats FFormats;
};
