#include "skin/package/DoubleImages.h"

#include "skin/package/SkinReader.h"
#include "toolkit/core/Format.h"

namespace {

constexpr std::string_view kBmp = ".bmp";
constexpr std::string_view kDoubleBmp = "@2x.bmp";

bool EndsWithBlind(std::string_view name, std::string_view ending) {
  return name.size() >= ending.size() && LowerAscii(name.substr(name.size() - ending.size())) == ending;
}

}  // namespace

std::string DoubleImageName(std::string_view name) {
  if (name.size() <= kBmp.size() || !EndsWithBlind(name, kBmp) || EndsWithBlind(name, kDoubleBmp)) return {};
  std::string doubled(name.substr(0, name.size() - kBmp.size()));
  return doubled + "@2x" + std::string(name.substr(name.size() - kBmp.size()));
}

std::string SingleImageName(std::string_view name) {
  if (name.size() <= kDoubleBmp.size() || !EndsWithBlind(name, kDoubleBmp)) return {};
  std::string single(name.substr(0, name.size() - kDoubleBmp.size()));
  return single + std::string(name.substr(name.size() - kBmp.size()));
}

std::wstring DoubleImageMismatch(int width, int height, int doubleWidth, int doubleHeight) {
  if (width > 0 && height > 0 && doubleWidth == 2 * width && doubleHeight == 2 * height) return {};
  return Format(L"the @2x picture is %dx%d, not twice %dx%d", {doubleWidth, doubleHeight, width, height});
}
