// The skin engine's private window messages.
#pragma once

#include <windows.h>

// Through a form's WindowProc: the skin changed, reload it.
constexpr UINT SKM_SKINCHANGED = 0x3401;
// Repaint the skinned non-client area.
constexpr UINT SKM_REPAINTFRAME = 0x3502;
// Posted right after a form skinner was attached (wParam 0, lParam 1000).
constexpr UINT SKM_SKINATTACHED = 0x3503;
// Answered 1 by a window that is already skinned; also posted by a form
// skinner with a title-bar button's Action that has no meaning of its own.
constexpr UINT SKM_QUERYSKINNED = 0x3504;
// Posted by a form skinner to its own window once a control's window went:
// it frees the skinners whose windows are gone and skins again the toolkit
// controls that made a new window.
constexpr UINT SKM_FOLLOWCONTROLS = 0x3505;

// Posted by a form skinner to its own window: the menu bar's keyboard mode
// starts at the entry wParam (a drop-down closed by Escape, Alt alone, F10).
constexpr UINT SKM_BARKEYBOARD = 0x3506;

inline bool AnswersSkinned(HWND wnd) { return SendMessageW(wnd, SKM_QUERYSKINNED, 0, 0) == 1; }
