// Images drawn at twice the size: a skin may carry NAME@2x.bmp beside
// NAME.bmp. Geometry in the description stays in 96-DPI units; the larger
// picture only replaces resampling of the smaller one on displays of 175 %
// and more. These rules are shared by the packer, which refuses a folder that
// breaks them, and the model, which then keeps the 1x image alone.
#pragma once

#include <string>
#include <string_view>

// The DPI an @2x picture is drawn for.
constexpr int kDoubleImageDpi = 192;

// "name@2x.bmp" for "name.bmp" (the extension in any letter case); empty for
// a name that is not a .bmp file or is itself an @2x name.
std::string DoubleImageName(std::string_view name);
// "name.bmp" for "name@2x.bmp"; empty for any other name.
std::string SingleImageName(std::string_view name);

// Empty when a picture of doubleWidth × doubleHeight may stand for one of
// width × height (exactly twice on both sides), else why not.
std::wstring DoubleImageMismatch(int width, int height, int doubleWidth, int doubleHeight);
