// Builders for RIFF WAVE byte layouts, so tests can state files byte by byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/core/MemoryStream.h"

using Bytes = std::vector<uint8_t>;

inline void Append(Bytes& bytes, const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

inline void AppendLe(Bytes& bytes, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void AppendChunk(Bytes& bytes, const std::string& id, uint32_t size, const Bytes& body) {
  Append(bytes, id);
  AppendLe(bytes, size, 4);
  bytes.insert(bytes.end(), body.begin(), body.end());
}

// A PCM format record: 16 bytes, or 18 with cbSize.
inline Bytes PcmRecord(uint32_t rate, uint16_t bits, uint16_t channels, bool withCbSize) {
  Bytes record;
  uint16_t align = static_cast<uint16_t>(channels * (bits / 8));
  AppendLe(record, 1, 2);
  AppendLe(record, channels, 2);
  AppendLe(record, rate, 4);
  AppendLe(record, align * rate, 4);
  AppendLe(record, align, 2);
  AppendLe(record, bits, 2);
  if (withCbSize) AppendLe(record, 0, 2);
  return record;
}

inline Bytes RiffHeader(uint32_t riffSize = 0) {
  Bytes bytes;
  Append(bytes, "RIFF");
  AppendLe(bytes, riffSize, 4);
  Append(bytes, "WAVE");
  return bytes;
}

inline void Load(TMemoryStream& stream, const Bytes& bytes) {
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream.SetPosition(0);
}

inline uint32_t Le32At(const Bytes& bytes, size_t offset) {
  return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) | (uint32_t{bytes[offset + 3]} << 24);
}
