// A skin made up by the project for tests and benchmarks: a description and
// the bitmaps it names, of the sizes and kinds real skins hold.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/skinpack/SkinPackage.h"

// A bottom-up 24-bit BMP with padded rows: a dark edge, a vertical gradient,
// colour bands and a little noise, as skin frames are drawn.
std::vector<uint8_t> MakeBmp(int width, int height, uint32_t seed);

// The description "sample.ini" first, then the bitmaps, in package order.
std::vector<TPackageFile> SampleSkinFiles();
