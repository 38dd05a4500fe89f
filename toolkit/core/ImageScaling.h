// Resampling of images (skin images, image-list glyphs) to a display scale,
// on plain 24-bit pixels (no platform types): whole-number factors replicate
// pixels, so pixel art stays sharp; other sizes average the source area each
// new pixel covers, leaving the transparent key colour exact: a pixel mostly
// covered by key pixels is the key, any other is the average of the opaque
// pixels under it alone, so no fringe of the key colour bleeds into an edge.
#pragma once

#include <cstdint>
#include <vector>

// Rows top first, 3 bytes a pixel in blue, green, red order, no padding.
struct TPixelImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Bgr;
  bool operator==(const TPixelImage&) const = default;
};

struct TKeyColour {
  uint8_t Blue = 255, Green = 0, Red = 255;
  // False for a picture without a transparent colour: every pixel counts.
  bool Used = true;
};

// The image at width × height; an empty source or size gives an empty image.
TPixelImage ResampleImage(const TPixelImage& source, int width, int height, TKeyColour key = {});

// An image of framesAcross × framesDown equal frames, each resampled on its own
// to frameWidth × frameHeight, so no frame takes pixels of its neighbour.
// Pixels beyond the last whole frame are dropped.
TPixelImage ResampleFrames(const TPixelImage& source, int framesAcross, int framesDown, int frameWidth,
                           int frameHeight, TKeyColour key = {});
