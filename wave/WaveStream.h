// The RIFF WAVE layout on a target stream: "RIFF" size "WAVE", a "fmt " chunk
// with the format record and a "data" chunk, from the target's starting position.
#pragma once

#include "wave/CustomWaveStream.h"

class TWaveStream : public TCustomWaveStream2 {
 public:
  // The layout begins at target's current position. The target is not owned.
  explicit TWaveStream(TStream& target);
  // Completes the header of a stream opened for writing, if not done yet.
  // A failure there cannot be reported from a destructor: owners that must
  // know call CompleteHeader first.
  ~TWaveStream() override;

  void OpenWave(bool forWriting) { forWriting ? OpenForWriting() : OpenForReading(); }
  void OpenForWriting();
  void OpenForReading();
  // Writes the final RIFF and data sizes of a stream opened for writing and
  // leaves the target at its end; runs once, later calls do nothing.
  void CompleteHeader();

  int32_t WaveSize() override;
  int32_t ReadData(void* buffer, int32_t count) override;
  int32_t WriteData(const void* buffer, int32_t count) override;

 protected:
  void CompleteHeaderQuietly() noexcept;

  int32_t DataStart = 0;
  int32_t DataChunkOffset = 0;
  bool Opened = false;
  int32_t Origin;
  bool ReadMode = false;
  int32_t ReadDataSize = 0;
  TStream& Target;

 private:
  void CheckOpened() const;
  void CheckNotOpened() const;
  void CheckTargetRoom(int64_t end) const;
  void ReadChunks();

  bool FHeaderCompleted = false;
};
