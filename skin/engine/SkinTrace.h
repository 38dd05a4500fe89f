// The skin engine's trace lines. They go to one routine, which drops them:
// the engine never reports, but its steps stay readable where they happen.
#pragma once

#include <initializer_list>
#include <string_view>

#include "toolkit/core/Format.h"

inline void SkinTrace(std::wstring_view, std::initializer_list<FormatArg> = {}) {}
