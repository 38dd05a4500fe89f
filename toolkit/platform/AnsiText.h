// Texts that the platform hands over in the ANSI code page, made wide.
#pragma once

#include <string>
#include <string_view>

// Converts with the system's ANSI code page (CP_ACP); null gives an empty text.
std::wstring FromAnsi(const char* text);
// The text in the system's ANSI code page; characters it lacks become '?'.
std::string ToAnsi(std::wstring_view text);
// Lower-cases by the user's locale, as the platform compares names.
std::wstring LowerCase(std::wstring_view text);
