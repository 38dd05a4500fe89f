// BMP files stated byte by byte for the decoder's tests: any header version,
// masks, colour table and the pixel rows exactly as stored.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

using BmpBytes = std::vector<uint8_t>;

constexpr uint32_t kBmpRle8 = 1, kBmpRle4 = 2, kBmpBitFields = 3;

struct TBmpFields {
  uint32_t HeaderSize = 40;
  int32_t Width = 1;
  int32_t Height = 1;  // negative: top row first
  uint16_t BitCount = 24;
  uint32_t Compression = 0;
  uint32_t ColoursUsed = 0;
  std::vector<uint32_t> Palette = {};  // 0x00RRGGBB
  std::vector<uint32_t> Masks = {};    // after a 40-byte header, else inside the header
  BmpBytes Pixels = {};                // as stored, padding included
  uint16_t Planes = 1;
};

inline void PutLe(BmpBytes& out, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline BmpBytes MakeBmp(const TBmpFields& fields) {
  const bool core = fields.HeaderSize == 12;
  const size_t headerBytes = core ? 12 : std::max<size_t>(fields.HeaderSize, 40 + fields.Masks.size() * 4);
  const size_t offset = 14 + headerBytes + fields.Palette.size() * (core ? 3 : 4);
  BmpBytes out{'B', 'M'};
  for (uint32_t value : {uint32_t(offset + fields.Pixels.size()), 0u, uint32_t(offset), fields.HeaderSize})
    PutLe(out, value, 4);
  PutLe(out, uint32_t(fields.Width), core ? 2 : 4);
  PutLe(out, uint32_t(fields.Height), core ? 2 : 4);
  PutLe(out, fields.Planes, 2);
  PutLe(out, fields.BitCount, 2);
  if (!core) {
    for (uint32_t value : {fields.Compression, uint32_t(fields.Pixels.size()), 2835u, 2835u, fields.ColoursUsed, 0u})
      PutLe(out, value, 4);
    for (uint32_t mask : fields.Masks) PutLe(out, mask, 4);
    out.resize(14 + headerBytes, 0);
  }
  for (uint32_t colour : fields.Palette) PutLe(out, colour, core ? 3 : 4);
  out.insert(out.end(), fields.Pixels.begin(), fields.Pixels.end());
  return out;
}
