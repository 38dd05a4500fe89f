// The RIFF WAVE layout on a target stream: "RIFF" size "WAVE", a "fmt " chunk
// with the format record and a "data" chunk, from the target's starting position.
// While it is open, the wave stream is the only user of its target: it keeps
// the target's position and the written data size itself, so a transfer costs
// one target call instead of a handful of seeks, and it holds appended sound
// back until a larger block has come (or anything else needs the target).
#pragma once

#include <vector>

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
  // Writes the sound held back, then the final RIFF and data sizes of a
  // stream opened for writing, and leaves the target at its end; runs once,
  // later calls do nothing. Should the target refuse the sound held back,
  // the data ends on the last whole frame it took and the refusal is raised
  // before the sizes are written (a later call or the destruction writes them).
  void CompleteHeader();
  // Writes the sound held back and the RIFF and data sizes as they stand
  // now, so that the target holds a whole wave layout of the sound written
  // so far while writing goes on (a writer that may be cut off calls it now
  // and then). Does nothing on a stream not opened for writing or already
  // completed.
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
  // The header's bytes besides the format record.
  static constexpr int32_t kHeaderBytes = 28;
  // Appended sound is held back until this much has come (see WriteData).
  static constexpr int32_t kPendingBytes = 64 * 1024;

  void CheckOpened() const;
  void CheckNotOpened() const;
  void CheckTargetRoom(int64_t end) const;
  bool Writing() const { return Opened && !ReadMode && !FHeaderCompleted; }
  // The position lies within the data, whose size is 32-bit.
  int32_t DataOffset() const { return static_cast<int32_t>(DataPosition); }
  int32_t BlockAlign();
  void WriteSizes(int32_t targetSize);
  void WriteHeader(int32_t targetSize, int32_t dataSize);
  void WritePending();
  void CutData(int32_t size);
  void ReadChunks();
  void PlaceTarget(int32_t position);
  void TargetMoved(int32_t from, int32_t asked, int32_t moved);

  bool FHeaderCompleted = false;
  int32_t FTargetPosition = -1;  // where the last transfer left Target; -1 when unknown
  int32_t FWrittenSize = 0;      // the sound data's size in a stream opened for writing
  std::vector<uint8_t> FPending; // the data's last bytes, not handed to Target yet
};
