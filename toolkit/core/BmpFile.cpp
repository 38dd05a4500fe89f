#include "toolkit/core/BmpFile.h"

#include <algorithm>
#include <array>
#include <bit>

EInvalidGraphic::EInvalidGraphic() : Exception(L"Bitmap image is not valid") {}

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

[[noreturn]] void Refuse() { throw EInvalidGraphic(); }

// Little-endian reads; the caller has checked that the bytes are there.
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The info header and its later, longer versions (V2 to V5) share their first
// 40 bytes; only those are read.
bool IsKnownHeaderSize(uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 ||
         size == 124;
}

// One channel of a bit-field pixel, scaled to 8 bits. The width runs from the
// mask's lowest to its highest set bit, so a mask with gaps still stays within
// it. Narrow channels repeat their bits downwards (5 bits: abcde -> abcdeabc),
// as the platform widens them, so that full intensity stays full.
class TChannel {
 public:
  explicit TChannel(uint32_t mask) : FMask(mask) {
    if (!mask) return;
    FShift = std::countr_zero(mask);
    FBits = 32 - std::countl_zero(mask) - FShift;
  }
  uint8_t operator()(uint32_t pixel) const {
    if (!FBits) return 0;
    uint32_t value = (pixel & FMask) >> FShift;
    if (FBits >= 8) return static_cast<uint8_t>(value >> (FBits - 8));
    uint32_t repeated = 0;
    int filled = 0;
    for (; filled < 8; filled += FBits) repeated = repeated << FBits | value;
    return static_cast<uint8_t>(repeated >> (filled - 8));
  }

 private:
  uint32_t FMask;
  int FShift = 0;
  int FBits = 0;
};

struct TMasks {
  TChannel Red, Green, Blue;
};

// Colour-table entries as B, G, R; indexes past the table are black.
using TPalette = std::array<std::array<uint8_t, 3>, 256>;

struct TLayout {
  int Width = 0;
  int Height = 0;
  bool TopDown = false;
  unsigned BitCount = 0;
  uint32_t Compression = kRgb;
};

// RLE pixels land in bottom-up coordinates; those outside the picture are dropped.
class TRleTarget {
 public:
  TRleTarget(TDecodedBmp& bmp, const TPalette& palette) : FBmp(bmp), FPalette(palette) {}
  void Put(int64_t x, int64_t y, uint8_t index) {
    if (x < 0 || x >= FBmp.Width || y < 0 || y >= FBmp.Height) return;
    uint8_t* pixel = FBmp.Pixels.data() + (size_t(FBmp.Height - 1 - y) * FBmp.Width + size_t(x)) * 3;
    pixel[0] = FPalette[index][0];
    pixel[1] = FPalette[index][1];
    pixel[2] = FPalette[index][2];
  }

 private:
  TDecodedBmp& FBmp;
  const TPalette& FPalette;
};

uint8_t Nibble(uint8_t byte, int64_t i) { return (i & 1) ? (byte & 0x0F) : (byte >> 4); }

// Runs and escapes as the RLE4 and RLE8 formats define them. Damaged or short
// data ends the picture early: what was not reached stays black.
void DecodeRle(const uint8_t* p, const uint8_t* end, bool fourBit, const TPalette& palette, TDecodedBmp& bmp) {
  TRleTarget target(bmp, palette);
  int64_t x = 0, y = 0;
  while (y < bmp.Height && end - p >= 2) {
    uint8_t count = p[0], value = p[1];
    p += 2;
    if (count) {
      for (int64_t i = 0; i < count; ++i) target.Put(x++, y, fourBit ? Nibble(value, i) : value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (end - p < 2) break;
      x += p[0];
      y += p[1];
      p += 2;
    } else {
      // Absolute mode: value literal pixels, padded to a 16-bit boundary.
      int64_t bytes = fourBit ? (value + 1) / 2 : value;
      if (end - p < bytes) break;
      for (int64_t i = 0; i < value; ++i) target.Put(x++, y, fourBit ? Nibble(p[i / 2], i) : p[i]);
      int64_t padded = bytes + (bytes & 1);
      p += padded <= end - p ? padded : bytes;
    }
  }
}

void DecodeRow(const uint8_t* row, const TLayout& layout, const TPalette& palette, const TMasks& masks,
               uint8_t* out) {
  const unsigned bits = layout.BitCount;
  for (int x = 0; x < layout.Width; ++x, out += 3) {
    if (bits <= 8) {
      size_t bit = size_t(x) * bits;
      unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
      out[0] = palette[index][0];
      out[1] = palette[index][1];
      out[2] = palette[index][2];
    } else if (bits == 24) {
      out[0] = row[x * 3];
      out[1] = row[x * 3 + 1];
      out[2] = row[x * 3 + 2];
    } else {
      uint32_t pixel = bits == 16 ? U16(row + size_t(x) * 2) : U32(row + size_t(x) * 4);
      out[0] = masks.Blue(pixel);
      out[1] = masks.Green(pixel);
      out[2] = masks.Red(pixel);
    }
  }
}

bool IsValidFormat(const TLayout& layout, bool core) {
  unsigned bits = layout.BitCount;
  if (core) return layout.Compression == kRgb && (bits == 1 || bits == 4 || bits == 8 || bits == 24);
  switch (layout.Compression) {
    case kRgb:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRle8:
      return bits == 8 && !layout.TopDown;
    case kRle4:
      return bits == 4 && !layout.TopDown;
    case kBitFields:
    case kAlphaBitFields:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

}  // namespace

TDecodedBmp DecodeBmp(const uint8_t* data, size_t size) {
  if (!data || size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') Refuse();
  const uint32_t pixelOffset = U32(data + 10);
  const uint32_t headerSize = U32(data + kFileHeaderSize);
  if (!IsKnownHeaderSize(headerSize) || headerSize > size - kFileHeaderSize) Refuse();
  const uint8_t* header = data + kFileHeaderSize;
  const bool core = headerSize == kCoreHeaderSize;

  TLayout layout;
  int64_t width, height;
  unsigned planes;
  uint32_t coloursUsed = 0;
  if (core) {
    width = U16(header + 4);
    height = U16(header + 6);
    planes = U16(header + 8);
    layout.BitCount = U16(header + 10);
  } else {
    width = int32_t(U32(header + 4));
    height = int32_t(U32(header + 8));
    planes = U16(header + 12);
    layout.BitCount = U16(header + 14);
    layout.Compression = U32(header + 16);
    coloursUsed = U32(header + 32);
  }
  layout.TopDown = height < 0;
  if (layout.TopDown) height = -height;
  if (planes != 1 || width <= 0 || height <= 0 || width > kBmpMaxSide || height > kBmpMaxSide) Refuse();
  if (size_t(width) * size_t(height) * 3 > kBmpMaxPixelBytes) Refuse();
  layout.Width = static_cast<int>(width);
  layout.Height = static_cast<int>(height);
  if (!IsValidFormat(layout, core)) Refuse();

  // Bit-field masks follow the 40-byte part, inside the header from V2 on.
  TMasks masks{TChannel(0xFF0000), TChannel(0xFF00), TChannel(0xFF)};
  if (layout.BitCount == 16) masks = {TChannel(0x7C00), TChannel(0x03E0), TChannel(0x001F)};
  size_t tableStart = kFileHeaderSize + headerSize;
  if (layout.Compression == kBitFields || layout.Compression == kAlphaBitFields) {
    size_t maskBytes = layout.Compression == kBitFields ? 12 : 16;
    if (kFileHeaderSize + kInfoHeaderSize + maskBytes > size) Refuse();
    const uint8_t* at = header + kInfoHeaderSize;
    masks = {TChannel(U32(at)), TChannel(U32(at + 4)), TChannel(U32(at + 8))};
    if (headerSize == kInfoHeaderSize) tableStart += maskBytes;
  }

  TPalette palette{};
  if (layout.BitCount <= 8) {
    size_t entries = size_t(1) << layout.BitCount;
    if (coloursUsed > 0 && coloursUsed < entries) entries = coloursUsed;
    size_t entrySize = core ? 3 : 4;
    // Writers often store only the colours in use and say so only by where the pixels start.
    if (pixelOffset > tableStart) entries = std::min(entries, (pixelOffset - tableStart) / entrySize);
    if (tableStart > size || entries * entrySize > size - tableStart) Refuse();
    for (size_t i = 0; i < entries; ++i) {
      const uint8_t* entry = data + tableStart + i * entrySize;
      palette[i] = {entry[0], entry[1], entry[2]};
    }
  }

  if (pixelOffset >= size) Refuse();
  const bool rle = layout.Compression == kRle8 || layout.Compression == kRle4;
  // The last row may lack its padding; every byte a pixel needs must be there.
  const size_t rowBits = size_t(layout.Width) * layout.BitCount;
  const size_t stride = (rowBits + 31) / 32 * 4;
  const size_t rowBytes = (rowBits + 7) / 8;
  if (!rle && stride * size_t(layout.Height - 1) + rowBytes > size - pixelOffset) Refuse();

  TDecodedBmp bmp;
  bmp.Width = layout.Width;
  bmp.Height = layout.Height;
  bmp.Pixels.assign(size_t(layout.Width) * size_t(layout.Height) * 3, 0);
  if (rle) {
    DecodeRle(data + pixelOffset, data + size, layout.Compression == kRle4, palette, bmp);
    return bmp;
  }
  for (int y = 0; y < layout.Height; ++y) {
    int sourceRow = layout.TopDown ? y : layout.Height - 1 - y;
    DecodeRow(data + pixelOffset + size_t(sourceRow) * stride, layout, palette, masks,
              bmp.Pixels.data() + size_t(y) * layout.Width * 3);
  }
  return bmp;
}
