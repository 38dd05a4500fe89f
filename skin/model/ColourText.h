// Colours in skin descriptions: up to three decimal numbers, red, green and
// blue, separated by anything that is not a digit ("255,128,0", "255 128 0").
#pragma once

#include <cstdint>
#include <string_view>

// 0x00BBGGRR, each component taken modulo 256; missing components are 0 and
// numbers after the third are ignored. A number that ends the text counts only
// as the third, so "12" alone is black.
uint32_t ParseColourText(std::wstring_view text);
