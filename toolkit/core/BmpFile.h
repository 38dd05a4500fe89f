// Windows BMP files decoded from memory without the platform, so that the
// skin's bitmaps, which come from untrusted packages, are checked natively too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/core/Exception.h"

// A picture file that cannot be decoded.
class EInvalidGraphic : public Exception {
 public:
  EInvalidGraphic();
};

// 24-bit pixels, top row first, 3 bytes (blue, green, red) a pixel, rows unpadded.
struct TDecodedBmp {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Pixels;
};

// The largest picture accepted: a side, and the decoded pixel bytes.
constexpr int kBmpMaxSide = 16384;
constexpr size_t kBmpMaxPixelBytes = size_t(64) << 20;

// Decodes a whole BMP file (file header first); EInvalidGraphic for anything
// damaged, unsupported or larger than the limits above.
TDecodedBmp DecodeBmp(const uint8_t* data, size_t size);
