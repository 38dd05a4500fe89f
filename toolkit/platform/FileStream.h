// A stream over a file, opened by a wide-character path so that any file name works.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/core/Stream.h"

// File modes: one access value, or'ed with one sharing value; fmCreate alone
// creates the file, emptying an existing one, and opens it for reading and writing.
constexpr uint16_t fmCreate = 0xFFFF;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

// "Cannot create file "%s". %s": the path, then the system's reason.
class EFCreateError : public EStreamError {
 public:
  EFCreateError(const std::wstring& fileName, const std::wstring& reason);
};

// "Cannot open file "%s". %s": the path, then the system's reason.
class EFOpenError : public EStreamError {
 public:
  EFOpenError(const std::wstring& fileName, const std::wstring& reason);
};

// "Cannot write file "%s". %s": the path, then the system's reason.
class EFWriteError : public EStreamError {
 public:
  EFWriteError(const std::wstring& fileName, const std::wstring& reason);
};

class TFileStream : public TStream {
 public:
  TFileStream(const std::wstring& fileName, uint16_t mode);
  ~TFileStream() override;

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  // Positions and sizes are the low 32 bits of the file's own.
  int32_t Seek(int32_t offset, uint16_t origin) override;
  void SetSize(int32_t newSize) override;

  const std::wstring& FileName() const { return FFileName; }
  // The system's reason for refusing the last read or write; empty when the
  // last one was not refused.
  std::wstring FailureReason() const;

 private:
  std::wstring FFileName;
  intptr_t FHandle;  // a Win32 file handle, or a POSIX descriptor
  int FFailure = 0;  // the system's error code for the last transfer; 0 when not refused
};
