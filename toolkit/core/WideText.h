// Small helpers on wide texts that need no platform: letter case and blanks.
#pragma once

#include <string>
#include <string_view>

// Each character upper-cased on its own (towupper), as names in layouts,
// shortcuts and skin descriptions are compared.
std::wstring UpperCase(std::wstring text);
// Without the blanks and control characters (anything up to ' ') at both ends.
std::wstring_view TrimBlanks(std::wstring_view text);
