#include "toolkit/graphics/BitmapPixels.h"

#include <cstring>

TPixelImage PixelsOf(const TBitmap& source) {
  TBitmap copy;
  copy.Assign(source);
  copy.SetPixelFormat(pf24bit);
  TPixelImage image{copy.Width(), copy.Height(), {}};
  image.Bgr.resize(size_t(copy.Width()) * size_t(copy.Height()) * 3);
  for (int y = 0; y < copy.Height(); ++y)
    std::memcpy(&image.Bgr[size_t(y) * size_t(copy.Width()) * 3], copy.ScanLine(y), size_t(copy.Width()) * 3);
  return image;
}

void AssignPixels(TBitmap& target, const TPixelImage& image) {
  if (image.Width <= 0 || image.Height <= 0) return target.Clear();
  target.SetSize(image.Width, image.Height, pf24bit);
  for (int y = 0; y < image.Height; ++y)
    std::memcpy(target.ScanLine(y), &image.Bgr[size_t(y) * size_t(image.Width) * 3], size_t(image.Width) * 3);
}
