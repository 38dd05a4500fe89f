// Conversions between the toolkit's wide strings and UTF-8, for byte-level code
// that must build without the platform headers (what() texts, POSIX paths).
#pragma once

#include <string>
#include <string_view>

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);
