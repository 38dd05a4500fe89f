// The toolkit's byte stream: read, write and a 32-bit seek, with the position
// and size derived from seek, and the whole-block transfers built on them.
#pragma once

#include <cstdint>

#include "toolkit/core/Exception.h"

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};

// A whole-block read found fewer bytes than it needed.
class EReadError : public EStreamError {
 public:
  EReadError();
};

// A whole-block write could not put all its bytes (a full disk, a fixed size).
class EWriteError : public EStreamError {
 public:
  EWriteError();
};

enum TSeekOrigin : uint16_t { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream {
 public:
  virtual ~TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Transfer up to count bytes; the result is the number moved (0 or more).
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  virtual int32_t Write(const void* buffer, int32_t count) = 0;
  // Moves to offset from origin (a TSeekOrigin value) and returns the new position.
  virtual int32_t Seek(int32_t offset, uint16_t origin) = 0;
  virtual void SetSize(int32_t newSize);

  int32_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int32_t position) { Seek(position, soFromBeginning); }
  // The size as seek reports it; the position is left where it was.
  int32_t Size();

  void ReadBuffer(void* buffer, int32_t count);
  void WriteBuffer(const void* buffer, int32_t count);

  // Copies count bytes from source's current position; count 0 copies the
  // whole source from its start. Returns the bytes copied.
  int32_t CopyFrom(TStream& source, int32_t count);

 protected:
  TStream() = default;
};
