// The portable frame logic decides with its own copies of the platform's
// numbers; the Windows build holds them equal to the platform's headers.
#include <windows.h>

#include "skin/engine/WindowValues.h"

using namespace WinValue;

static_assert(kWsPopup == WS_POPUP && kWsChild == WS_CHILD && kWsCaption == WS_CAPTION && kWsBorder == WS_BORDER);
static_assert(kWsSysMenu == WS_SYSMENU && kWsThickFrame == WS_THICKFRAME);
static_assert(kWsMinimizeBox == WS_MINIMIZEBOX && kWsMaximizeBox == WS_MAXIMIZEBOX);
static_assert(kWsExMdiChild == WS_EX_MDICHILD && kWsExWindowEdge == WS_EX_WINDOWEDGE);
static_assert(kWsExLeftScrollBar == WS_EX_LEFTSCROLLBAR);
static_assert(kHtNowhere == HTNOWHERE && kHtCaption == HTCAPTION && kHtMenu == HTMENU);
static_assert(kScSize == SC_SIZE && kScMove == SC_MOVE && kScMinimize == SC_MINIMIZE && kScMaximize == SC_MAXIMIZE);
static_assert(kScNextWindow == SC_NEXTWINDOW && kScPrevWindow == SC_PREVWINDOW && kScClose == SC_CLOSE);
static_assert(kScKeyMenu == SC_KEYMENU && kScRestore == SC_RESTORE);
static_assert(kSizeRestored == SIZE_RESTORED && kSizeMinimized == SIZE_MINIMIZED && kSizeMaximized == SIZE_MAXIMIZED);
static_assert(kSwShowMinimized == SW_SHOWMINIMIZED && kSwShowMaximized == SW_SHOWMAXIMIZED);
static_assert(kSwMinimize == SW_MINIMIZE && kSwShowMinNoActive == SW_SHOWMINNOACTIVE);
static_assert(kDtCenter == DT_CENTER && kDtRight == DT_RIGHT && kDtSingleLine == DT_SINGLELINE);
static_assert(kDtExpandTabs == DT_EXPANDTABS && kDtNoClip == DT_NOCLIP && kDtCalcRect == DT_CALCRECT);
static_assert(kDtEndEllipsis == DT_END_ELLIPSIS && kDtNoPrefix == DT_NOPREFIX);
static_assert(kVkReturn == VK_RETURN && kVkMenu == VK_MENU && kVkEscape == VK_ESCAPE);
static_assert(kVkLeft == VK_LEFT && kVkRight == VK_RIGHT && kVkDown == VK_DOWN);
static_assert(kMfPopup == MF_POPUP && kWvrValidRects == WVR_VALIDRECTS);
