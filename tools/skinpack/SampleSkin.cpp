#include "tools/skinpack/SampleSkin.h"

#include <random>
#include <string>

namespace {

void PutLe(std::vector<uint8_t>& out, uint32_t value, int size) {
  for (int k = 0; k < size; ++k) out.push_back(static_cast<uint8_t>(value >> (8 * k)));
}

struct TSampleImage {
  const char* Name;
  int Width;
  int Height;
};

// Frames side by side or stacked, as the skinners cut them.
constexpr TSampleImage kImages[] = {
    {"title.bmp", 400, 30},   {"left.bmp", 8, 200},      {"right.bmp", 8, 200},    {"bottom.bmp", 400, 8},
    {"button.bmp", 300, 24},  {"sysbtn.bmp", 84, 21},    {"check.bmp", 104, 13},   {"radio.bmp", 104, 13},
    {"combo.bmp", 68, 21},    {"scroll.bmp", 64, 68},    {"tab.bmp", 240, 22},     {"progress.bmp", 200, 16},
    {"menu.bmp", 150, 22},    {"status.bmp", 300, 20},   {"groupbox.bmp", 60, 60}, {"trackbar.bmp", 88, 22},
};

}  // namespace

std::vector<uint8_t> MakeBmp(int width, int height, uint32_t seed) {
  std::mt19937 random(seed);
  int rowSize = (width * 3 + 3) & ~3;
  std::vector<uint8_t> bmp{'B', 'M'};
  for (uint32_t v : {static_cast<uint32_t>(54 + rowSize * height), 0u, 54u, 40u, static_cast<uint32_t>(width),
                     static_cast<uint32_t>(height)})
    PutLe(bmp, v, 4);
  PutLe(bmp, 1, 2);
  PutLe(bmp, 24, 2);
  for (uint32_t v : {0u, static_cast<uint32_t>(rowSize * height), 2835u, 2835u, 0u, 0u}) PutLe(bmp, v, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool edge = x < 2 || y < 2 || x >= width - 2 || y >= height - 2;
      auto shade = static_cast<uint8_t>(edge ? 40 : 160 + y * 64 / height);
      auto noise = static_cast<uint8_t>(random() % 8 == 0 ? random() % 4 : 0);
      bmp.insert(bmp.end(), {static_cast<uint8_t>(shade + noise), shade, static_cast<uint8_t>((x / 16) * 30)});
    }
    bmp.insert(bmp.end(), static_cast<size_t>(rowSize - width * 3), 0);
  }
  return bmp;
}

std::vector<TPackageFile> SampleSkinFiles() {
  std::string ini = "[SkinFile]\r\nSkinName=Sample\r\nVersion=1\r\n";
  std::vector<TPackageFile> files;
  uint32_t seed = 1;
  for (const TSampleImage& image : kImages) {
    std::string section = std::string(image.Name).substr(0, std::string(image.Name).find('.'));
    ini += "\r\n[" + section + "]\r\nImage=" + image.Name + "\r\nFrames=4\r\nTrans=1\r\nLeft=3\r\nRight=3\r\nTop=3\r\n";
    files.push_back({image.Name, MakeBmp(image.Width, image.Height, seed++)});
  }
  files.insert(files.begin(), {"sample.ini", std::vector<uint8_t>(ini.begin(), ini.end())});
  return files;
}
