// Small conversions and queries the window-level skinners share: rectangles
// between the platform's and the portable logic's form, and a window's text
// and class name.
#pragma once

#include <windows.h>

#include <string>

#include "skin/model/SkinGeometry.h"

inline TSkinRect ToSkin(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
inline RECT ToRect(const TSkinRect& rect) { return {rect.Left, rect.Top, rect.Right, rect.Bottom}; }

// A window's text, at most 1000 characters, as the title bar shows them.
std::wstring CaptionTextOf(HWND wnd);
// At most 255 characters.
std::wstring ClassNameOf(HWND wnd);
