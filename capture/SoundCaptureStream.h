// A read-only wave stream of the sound a DirectSound capture device records
// into a looping ring buffer. A notification thread raises OnDataAvailable on
// the main thread whenever captured bytes wait; the handler reads them.
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

  const TDataAvailableEvent& OnDataAvailable() const { return FOnDataAvailable; }
  // Takes effect at once while capturing; the capture goes on without a break.
  void SetOnDataAvailable(const TDataAvailableEvent& handler);
  // The running notification thread, if any.
  const TSoundCaptureStreamNotify* NotifyThread() const { return FNotifyThread.get(); }

  // Starts capturing in Formats()[FormatIndex()] from an empty ring, stopping
  // a running capture first. A failed Start leaves the stream stopped.
  void Start();
  // Ends the capture; bytes not read yet are discarded.
  void Stop();

  // Captured bytes ready to read; 0 while stopped.
  int32_t AvailableBytes() override;
  // Blocks until count bytes are captured (starting the capture if needed);
  // if the ring cannot be locked, the rest of the request is silence.
  int32_t ReadData(void* buffer, int32_t count) override;
  virtual void DoDataAvailable();

 private:
  friend class TSoundCaptureStreamNotify;

  void StartCapture();
  void StartNotifyThread();
  void EndNotifyThread();
  int32_t CopyCaptured(uint8_t* buffer, int32_t count);
  int32_t CopyFromRing(uint8_t* buffer, int32_t count);
  uint8_t SilenceByte();

  TComRef<IDirectSoundCaptureBuffer> CaptureBuffer;
  int32_t FBufferMilliseconds = 1000;
  uint32_t ReadOffset = 0;
  int32_t BufferBytes = 0;
  TComRef<IDirectSoundCapture> CaptureDevice;
  int32_t FFormatIndex = 0;
  bool FIsCapturing = false;
  std::unique_ptr<TSoundCaptureStreamNotify> FNotifyThread;
  TDataAvailableEvent FOnDataAvailable;
  TSoundCaptureFormats FFormats;
};
