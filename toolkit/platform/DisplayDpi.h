// The DPI a window is shown at, and the frame and system metrics there. The
// per-monitor functions are looked up at run time, so the program also runs
// where the platform has none of them (the screen's DPI is used there).
#pragma once

#include <windows.h>

// The window's DPI (its monitor's, for a per-monitor aware program); the
// screen's when the platform cannot tell per window, or for no window.
int WindowDpi(HWND wnd);
// The DPI windows are first made at, before they know their monitor.
int SystemDpi();
// AdjustWindowRectEx as the platform does it at dpi.
RECT AdjustWindowRectForDpi(RECT client, DWORD style, bool menu, DWORD exStyle, int dpi);
// GetSystemMetrics at dpi; without the per-DPI function, the screen's value scaled.
int SystemMetricForDpi(int index, int dpi);
