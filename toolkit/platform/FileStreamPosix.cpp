// TFileStream on POSIX descriptors, for the host build that runs the byte-level
// code under sanitizers. Sharing flags have no POSIX counterpart and are ignored.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "toolkit/core/Utf8.h"
#include "toolkit/platform/FileStream.h"

namespace {

int FlagsOf(uint16_t mode) {
  if (mode == fmCreate) return O_RDWR | O_CREAT | O_TRUNC;
  switch (mode & 3) {
    case fmOpenWrite: return O_WRONLY;
    case fmOpenReadWrite: return O_RDWR;
    default: return O_RDONLY;
  }
}

}  // namespace

TFileStream::TFileStream(const std::wstring& fileName, uint16_t mode) : FFileName(fileName) {
  int fd = open(ToUtf8(fileName).c_str(), FlagsOf(mode) | O_CLOEXEC, 0644);
  if (fd < 0) {
    std::wstring reason = FromUtf8(std::strerror(errno));
    if (mode == fmCreate) throw EFCreateError(fileName, reason);
    throw EFOpenError(fileName, reason);
  }
  FHandle = fd;
}

TFileStream::~TFileStream() { close(static_cast<int>(FHandle)); }

int32_t TFileStream::Read(void* buffer, int32_t count) {
  FFailure = 0;
  if (count <= 0) return 0;
  ssize_t done = read(static_cast<int>(FHandle), buffer, static_cast<size_t>(count));
  if (done < 0) FFailure = errno;
  return done < 0 ? 0 : static_cast<int32_t>(done);
}

// A write cut short without an error (a disk that fills up midway) is tried
// again for the rest, so that the system tells why it stopped.
int32_t TFileStream::Write(const void* buffer, int32_t count) {
  FFailure = 0;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  int32_t written = 0;
  while (written < count) {
    ssize_t done = write(static_cast<int>(FHandle), bytes + written, static_cast<size_t>(count - written));
    if (done < 0) FFailure = errno;
    if (done <= 0) break;
    written += static_cast<int32_t>(done);
  }
  return written;
}

std::wstring TFileStream::FailureReason() const {
  return FFailure != 0 ? FromUtf8(std::strerror(FFailure)) : std::wstring();
}

int32_t TFileStream::Seek(int32_t offset, uint16_t origin) {
  static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  int fd = static_cast<int>(FHandle);
  off_t moved = origin <= soFromEnd ? lseek(fd, offset, kWhence[origin]) : -1;
  if (moved < 0) moved = lseek(fd, 0, SEEK_CUR);
  return static_cast<int32_t>(static_cast<uint32_t>(moved));
}

void TFileStream::SetSize(int32_t newSize) {
  SetPosition(newSize);
  if (ftruncate(static_cast<int>(FHandle), newSize) != 0) throw EWriteError();
}
