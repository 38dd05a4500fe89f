// Texts that the platform hands over in the ANSI code page, made wide.
#pragma once

#include <string>
#include <string_view>

// Converts with the system's ANSI code page (CP_ACP); null gives an empty text.
std::wstring FromAnsi(const char* text);
// A text file's bytes read as the platform's profile functions read them:
// UTF-16 (either byte order) or UTF-8 when they begin with its byte-order
// mark, else text in the ANSI code page.
std::wstring TextFileToWide(std::string_view bytes);
// The text in the system's ANSI code page; characters it lacks become '?'.
std::string ToAnsi(std::wstring_view text);
// Lower-cases by the user's locale, as the platform compares names.
std::wstring LowerCase(std::wstring_view text);
