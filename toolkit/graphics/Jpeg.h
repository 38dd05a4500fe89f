// JPEG pictures, decoded with libjpeg into a 24-bit bitmap.
#pragma once

#include <cstddef>
#include <cstdint>

#include "toolkit/core/Exception.h"
#include "toolkit/graphics/Graphics.h"

// "JPEG error #%d": libjpeg's message code for data it cannot decode.
class EJPEG : public Exception {
 public:
  explicit EJPEG(int code);
};

void DecodeJpeg(const uint8_t* data, size_t size, TBitmap& bitmap);
// The program's RCDATA resource name, decoded.
void LoadJpegResource(TBitmap& bitmap, const wchar_t* name);
