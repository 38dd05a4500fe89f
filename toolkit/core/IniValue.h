// Reading the values of INI texts, apart from any file access so that the
// rules are checked natively too.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A decimal integer, optionally signed, or a hexadecimal one written "$1F" or
// "0x1F"; blanks around it are allowed. Anything else, or a value outside
// 32 bits, is not an integer.
std::optional<int32_t> IntegerFromText(std::wstring_view text);
