// Fuzz target: whatever the encoder makes of the input decodes back to it,
// under both match policies.
#include <cstddef>
#include <cstdint>
#include <span>

#include "skin/package/Lzh.h"
#include "toolkit/core/MemoryStream.h"
#include "tools/skinpack/LzhEncoder.h"

namespace {

uint16_t ReadStream(void* context, void* buffer, uint16_t count) {
  return static_cast<uint16_t>(static_cast<TMemoryStream*>(context)->Read(buffer, count));
}

uint16_t WriteStream(void* context, const void* buffer, uint16_t count) {
  return static_cast<uint16_t>(static_cast<TMemoryStream*>(context)->Write(buffer, count));
}

void CheckRoundTrip(std::span<const uint8_t> data, TMatchPolicy policy) {
  std::vector<uint8_t> encoded = TLzhEncoder(policy).Encode(data);
  TMemoryStream input, output;
  input.WriteBuffer(encoded.data(), static_cast<int32_t>(encoded.size()));
  input.SetPosition(0);
  TLZH(&input, &output).Decode(static_cast<int32_t>(data.size()), WriteStream, ReadStream);
  if (output.Bytes() != std::vector<uint8_t>(data.begin(), data.end())) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  CheckRoundTrip(bytes, TMatchPolicy::mpLazy);
  CheckRoundTrip(bytes, TMatchPolicy::mpGreedy);
  return 0;
}
