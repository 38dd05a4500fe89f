#include "toolkit/core/ImageScaling.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsKey(const uint8_t* pixel, TKeyColour key) {
  return key.Used && pixel[0] == key.Blue && pixel[1] == key.Green && pixel[2] == key.Red;
}

// A view of one frame of an image.
struct TCell {
  const TPixelImage& Image;
  int X, Y, Width, Height;
  const uint8_t* Pixel(int x, int y) const {
    return &Image.Bgr[(size_t(Y + y) * size_t(Image.Width) + size_t(X + x)) * 3];
  }
};

void Replicate(const TCell& cell, TPixelImage& out, int outX, int outY, int width, int height) {
  for (int y = 0; y < height; ++y) {
    int sy = int(int64_t(y) * cell.Height / height);
    uint8_t* row = &out.Bgr[(size_t(outY + y) * size_t(out.Width) + size_t(outX)) * 3];
    for (int x = 0; x < width; ++x) std::copy_n(cell.Pixel(int(int64_t(x) * cell.Width / width), sy), 3, row + x * 3);
  }
}

// The share of source pixel i (0-based) in the span [from, to) of source coordinates.
double Overlap(int i, double from, double to) { return std::max(0.0, std::min(to, i + 1.0) - std::max(from, double(i))); }

void Average(const TCell& cell, TPixelImage& out, int outX, int outY, int width, int height, TKeyColour key) {
  double stepX = double(cell.Width) / width, stepY = double(cell.Height) / height;
  for (int y = 0; y < height; ++y) {
    double fromY = y * stepY, toY = (y + 1) * stepY;
    int firstY = int(fromY), lastY = std::min(cell.Height - 1, int(std::ceil(toY)) - 1);
    uint8_t* row = &out.Bgr[(size_t(outY + y) * size_t(out.Width) + size_t(outX)) * 3];
    for (int x = 0; x < width; ++x) {
      double fromX = x * stepX, toX = (x + 1) * stepX;
      int firstX = int(fromX), lastX = std::min(cell.Width - 1, int(std::ceil(toX)) - 1);
      double sum[3] = {0, 0, 0}, opaque = 0, keyed = 0;
      for (int sy = firstY; sy <= lastY; ++sy) {
        double wy = Overlap(sy, fromY, toY);
        for (int sx = firstX; sx <= lastX; ++sx) {
          double weight = wy * Overlap(sx, fromX, toX);
          const uint8_t* pixel = cell.Pixel(sx, sy);
          if (IsKey(pixel, key)) {
            keyed += weight;
            continue;
          }
          opaque += weight;
          for (int c = 0; c < 3; ++c) sum[c] += weight * pixel[c];
        }
      }
      uint8_t* target = row + x * 3;
      if (keyed >= opaque) {
        target[0] = key.Blue, target[1] = key.Green, target[2] = key.Red;
        continue;
      }
      for (int c = 0; c < 3; ++c) target[c] = uint8_t(std::clamp(int(std::lround(sum[c] / opaque)), 0, 255));
      // An average of opaque pixels that lands on the key would turn transparent.
      if (IsKey(target, key)) target[1] = uint8_t(key.Green == 255 ? 254 : key.Green + 1);
    }
  }
}

void ResampleCell(const TCell& cell, TPixelImage& out, int outX, int outY, int width, int height, TKeyColour key) {
  bool whole = width % cell.Width == 0 && height % cell.Height == 0 && width / cell.Width == height / cell.Height;
  if (whole)
    Replicate(cell, out, outX, outY, width, height);
  else
    Average(cell, out, outX, outY, width, height, key);
}

}  // namespace

TPixelImage ResampleFrames(const TPixelImage& source, int framesAcross, int framesDown, int frameWidth,
                           int frameHeight, TKeyColour key) {
  framesAcross = std::max(1, framesAcross);
  framesDown = std::max(1, framesDown);
  int cellWidth = source.Width / framesAcross, cellHeight = source.Height / framesDown;
  bool complete = source.Bgr.size() >= size_t(source.Width) * size_t(source.Height) * 3;
  if (cellWidth <= 0 || cellHeight <= 0 || frameWidth <= 0 || frameHeight <= 0 || !complete) return {};
  TPixelImage out;
  out.Width = frameWidth * framesAcross;
  out.Height = frameHeight * framesDown;
  out.Bgr.resize(size_t(out.Width) * size_t(out.Height) * 3);
  for (int j = 0; j < framesDown; ++j)
    for (int i = 0; i < framesAcross; ++i)
      ResampleCell({source, i * cellWidth, j * cellHeight, cellWidth, cellHeight}, out, i * frameWidth,
                   j * frameHeight, frameWidth, frameHeight, key);
  return out;
}

TPixelImage ResampleImage(const TPixelImage& source, int width, int height, TKeyColour key) {
  return ResampleFrames(source, 1, 1, width, height, key);
}
