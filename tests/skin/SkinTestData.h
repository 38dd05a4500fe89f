// Shared helpers of the skin package tests: decoding through memory streams,
// random bytes, little-endian words.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "skin/package/Lzh.h"
#include "toolkit/core/MemoryStream.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SampleSkin.h"

using Bytes = std::vector<uint8_t>;

inline uint16_t ReadFromMemory(void* context, void* buffer, uint16_t count) {
  return static_cast<uint16_t>(static_cast<TMemoryStream*>(context)->Read(buffer, count));
}

inline uint16_t WriteToMemory(void* context, const void* buffer, uint16_t count) {
  return static_cast<uint16_t>(static_cast<TMemoryStream*>(context)->Write(buffer, count));
}

inline Bytes Decoded(const Bytes& bitstream, int32_t count) {
  TMemoryStream input, output;
  input.WriteBuffer(bitstream.data(), static_cast<int32_t>(bitstream.size()));
  input.SetPosition(0);
  TLZH(&input, &output).Decode(count, WriteToMemory, ReadFromMemory);
  return output.Bytes();
}

inline Bytes RandomBytes(size_t count, uint32_t seed, int alphabet = 256) {
  std::mt19937 random(seed);
  Bytes bytes(count);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(random() % static_cast<uint32_t>(alphabet));
  return bytes;
}

inline void PutLe(Bytes& out, uint32_t value, int size) {
  for (int k = 0; k < size; ++k) out.push_back(static_cast<uint8_t>(value >> (8 * k)));
}

inline void Load(TMemoryStream& stream, const Bytes& bytes) {
  stream.SetSize(0);
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}
