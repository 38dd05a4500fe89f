// A stream over a growable block of memory, as tests and in-memory layouts use it.
#pragma once

#include <vector>

#include "toolkit/core/Stream.h"

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int32_t Seek(int32_t offset, uint16_t origin) override;
  void SetSize(int32_t newSize) override;

  const uint8_t* Memory() const { return FData.data(); }
  const std::vector<uint8_t>& Bytes() const { return FData; }

 private:
  std::vector<uint8_t> FData;
  int32_t FPosition = 0;
};
