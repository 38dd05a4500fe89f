// Fuzz target: the BMP decoder on arbitrary files. A decoded picture must
// hold exactly its pixels; anything else must be refused as not valid.
#include <cstddef>
#include <cstdint>

#include "toolkit/core/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    TDecodedBmp bmp = DecodeBmp(data, size);
    if (bmp.Width <= 0 || bmp.Height <= 0 || bmp.Width > kBmpMaxSide || bmp.Height > kBmpMaxSide ||
        bmp.Pixels.size() != size_t(bmp.Width) * size_t(bmp.Height) * 3)
      __builtin_trap();
  } catch (const EInvalidGraphic&) {
  }
  return 0;
}
