// TFileStream on the Win32 wide-character file API.
#include <windows.h>

#include "toolkit/platform/FileStream.h"
#include "toolkit/platform/SystemError.h"

namespace {

DWORD AccessOf(uint16_t mode) {
  switch (mode & 3) {
    case fmOpenWrite: return GENERIC_WRITE;
    case fmOpenReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
  }
}

DWORD SharingOf(uint16_t mode) {
  switch (mode & 0xF0) {
    case fmShareExclusive: return 0;
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyRead: return FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE;
  }
}

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

TFileStream::TFileStream(const std::wstring& fileName, uint16_t mode) : FFileName(fileName) {
  bool create = mode == fmCreate;
  HANDLE file = create ? CreateFileW(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
                       : CreateFileW(fileName.c_str(), AccessOf(mode), SharingOf(mode), nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::wstring reason = SystemErrorText(GetLastError());
    if (create) throw EFCreateError(fileName, reason);
    throw EFOpenError(fileName, reason);
  }
  FHandle = reinterpret_cast<intptr_t>(file);
}

TFileStream::~TFileStream() { CloseHandle(AsHandle(FHandle)); }

int32_t TFileStream::Read(void* buffer, int32_t count) {
  DWORD done = 0;
  FFailure = 0;
  if (count <= 0) return 0;
  if (!ReadFile(AsHandle(FHandle), buffer, static_cast<DWORD>(count), &done, nullptr)) {
    FFailure = static_cast<int>(GetLastError());
    return 0;
  }
  return static_cast<int32_t>(done);
}

// A write cut short without an error (a disk that fills up midway) is tried
// again for the rest, so that the system tells why it stopped.
int32_t TFileStream::Write(const void* buffer, int32_t count) {
  FFailure = 0;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  int32_t written = 0;
  while (written < count) {
    DWORD done = 0;
    if (!WriteFile(AsHandle(FHandle), bytes + written, static_cast<DWORD>(count - written), &done, nullptr)) {
      FFailure = static_cast<int>(GetLastError());
      break;
    }
    if (done == 0) break;
    written += static_cast<int32_t>(done);
  }
  return written;
}

std::wstring TFileStream::FailureReason() const {
  return FFailure != 0 ? SystemErrorText(static_cast<DWORD>(FFailure)) : std::wstring();
}

int32_t TFileStream::Seek(int32_t offset, uint16_t origin) {
  static constexpr DWORD kMethods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER distance{}, moved{};
  distance.QuadPart = offset;
  DWORD method = origin <= soFromEnd ? kMethods[origin] : FILE_CURRENT;
  if (origin > soFromEnd) distance.QuadPart = 0;
  if (!SetFilePointerEx(AsHandle(FHandle), distance, &moved, method)) {
    SetFilePointerEx(AsHandle(FHandle), LARGE_INTEGER{}, &moved, FILE_CURRENT);
  }
  return static_cast<int32_t>(moved.LowPart);
}

void TFileStream::SetSize(int32_t newSize) {
  SetPosition(newSize);
  if (!SetEndOfFile(AsHandle(FHandle))) throw EWriteError();
}
