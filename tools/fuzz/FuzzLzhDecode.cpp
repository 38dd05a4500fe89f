// Fuzz target: the decoder on arbitrary bitstreams. The first two bytes give
// the count to produce (up to 16 KiB), so one input stays cheap to run.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "skin/package/Lzh.h"

namespace {

struct TInput {
  const uint8_t* Data;
  size_t Left;
};

uint16_t Read(void* context, void* buffer, uint16_t count) {
  auto& input = *static_cast<TInput*>(context);
  uint16_t n = static_cast<uint16_t>(count < input.Left ? count : input.Left);
  std::memcpy(buffer, input.Data, n);
  input.Data += n;
  input.Left -= n;
  return n;
}

uint16_t Write(void* context, const void* buffer, uint16_t count) {
  auto& output = *static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  output.insert(output.end(), bytes, bytes + count);
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  int32_t count = (data[0] | (data[1] << 8)) & 0x3FFF;
  TInput input{data + 2, size - 2};
  std::vector<uint8_t> output;
  TLZH(&input, &output).Decode(count, Write, Read);
  if (output.size() < static_cast<size_t>(count) || output.size() > static_cast<size_t>(count) + 59) __builtin_trap();
  return 0;
}
