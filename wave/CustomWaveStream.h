// The wave stream family's base classes: a stream whose bytes are sound data
// only, with a format record describing them. Positions count sound bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/core/Exception.h"
#include "toolkit/core/Stream.h"

class EWaveStreamError : public Exception {
 public:
  using Exception::Exception;
};

class TCustomWaveStream : public TStream {
 public:
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int32_t Seek(int32_t offset, uint16_t origin) override;
  // The size follows from what is written; setting it does nothing.
  void SetSize(int32_t newSize) override;

  // Bytes that can be read now, or -1 when the stream keeps no count.
  virtual int32_t AvailableBytes() { return -1; }
  // The format record's address (null when it has no bytes) and size.
  virtual void* Format() = 0;
  virtual int32_t FormatSize() { return 0; }
  // The sound data's size, or -1 when it has no bound.
  virtual int32_t WaveSize() { return -1; }
  virtual int32_t ReadData(void*, int32_t) { return 0; }
  virtual void SetFormatSize(int32_t size) = 0;
  virtual int32_t WriteData(const void*, int32_t) { return 0; }

  // Makes the format record an 18-byte PCM record with these values.
  void SetPcmFormat(uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t channels);

 protected:
  TCustomWaveStream() = default;

  // 64 bits: a live capture's position grows without bound; a stream with a
  // size keeps it within that size.
  int64_t DataPosition = 0;
};

// Adds the owned format record.
class TCustomWaveStream2 : public TCustomWaveStream {
 public:
  void* Format() override { return FormatRecord.empty() ? nullptr : FormatRecord.data(); }
  int32_t FormatSize() override { return static_cast<int32_t>(FormatRecord.size()); }
  // Keeps the bytes already held up to the smaller size; 0 releases the record.
  void SetFormatSize(int32_t size) override;

 protected:
  TCustomWaveStream2() = default;

  std::vector<uint8_t> FormatRecord;
};
