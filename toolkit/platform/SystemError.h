// The system's own words for one of its error codes.
#pragma once

#include <windows.h>

#include <string>

// The system's message for error (without a final line break), or
// "System error N" when it has none.
std::wstring SystemErrorText(DWORD error);
