// The RIFF WAVE layout on a target stream: "RIFF" size "WAVE", a "fmt " chunk
// with the format record and a "data" chunk, from the target's starting position.
// While it is open, the wave stream is the only user of its target: it keeps
// the target's position and the written data size itself, so a transfer costs
// one target call instead of a handful of seeks.
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
  // Writes the RIFF and data sizes as they stand now, so that the target
  // holds a whole wave layout of the sound written so far while writing goes
  // on (a writer that may be cut off calls it now and then). Does nothing on
  // a stream not opened for writing or already completed.
  void UpdateHeader();
  // Cuts off a last sample frame that a failed write left incomplete, so the
  // data ends on a whole frame. Does nothing where UpdateHeader does nothing.
  void DropPartialFrame();

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
  bool Writing() const { return Opened && !ReadMode && !FHeaderCompleted; }
  int32_t BlockAlign();
  void WriteSizes(int32_t targetSize);
  void ReadChunks();
  void PlaceTarget(int32_t position);
  void TargetMoved(int32_t from, int32_t asked, int32_t moved);

  bool FHeaderCompleted = false;
  int32_t FTargetPosition = -1;  // where the last transfer left Target; -1 when unknown
  int32_t FWrittenSize = 0;      // the sound data's size in a stream opened for writing
};
