// The platform's numbers that the portable frame and menu logic decides with:
// window styles, hit-test codes, system commands, keys and text formats. They
// carry our own names, so this header sits beside the platform's without
// clashing with its macros; a test of the Windows build holds them equal.
#pragma once

#include <cstdint>

namespace WinValue {

constexpr uint32_t kWsPopup = 0x80000000;
constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsCaption = 0x00C00000;
constexpr uint32_t kWsBorder = 0x00800000;
constexpr uint32_t kWsSysMenu = 0x00080000;
constexpr uint32_t kWsThickFrame = 0x00040000;
constexpr uint32_t kWsMinimizeBox = 0x00020000;
constexpr uint32_t kWsMaximizeBox = 0x00010000;

constexpr uint32_t kWsExMdiChild = 0x00000040;
constexpr uint32_t kWsExWindowEdge = 0x00000100;
constexpr uint32_t kWsExLeftScrollBar = 0x00004000;

constexpr int kHtNowhere = 0;
constexpr int kHtCaption = 2;
constexpr int kHtMenu = 5;

constexpr unsigned kScSize = 0xF000;
constexpr unsigned kScMove = 0xF010;
constexpr unsigned kScMinimize = 0xF020;
constexpr unsigned kScMaximize = 0xF030;
constexpr unsigned kScNextWindow = 0xF040;
constexpr unsigned kScPrevWindow = 0xF050;
constexpr unsigned kScClose = 0xF060;
constexpr unsigned kScKeyMenu = 0xF100;
constexpr unsigned kScRestore = 0xF120;

constexpr unsigned kSizeRestored = 0;
constexpr unsigned kSizeMinimized = 1;
constexpr unsigned kSizeMaximized = 2;

constexpr unsigned kSwShowMinimized = 2;
constexpr unsigned kSwShowMaximized = 3;
constexpr unsigned kSwMinimize = 6;
constexpr unsigned kSwShowMinNoActive = 7;

constexpr unsigned kDtCenter = 0x0001;
constexpr unsigned kDtRight = 0x0002;
constexpr unsigned kDtSingleLine = 0x0020;
constexpr unsigned kDtExpandTabs = 0x0040;
constexpr unsigned kDtNoClip = 0x0100;
constexpr unsigned kDtCalcRect = 0x0400;
constexpr unsigned kDtEndEllipsis = 0x8000;
constexpr unsigned kDtNoPrefix = 0x0800;

constexpr unsigned kVkReturn = 0x0D;
constexpr unsigned kVkMenu = 0x12;
constexpr unsigned kVkEscape = 0x1B;
constexpr unsigned kVkLeft = 0x25;
constexpr unsigned kVkRight = 0x27;
constexpr unsigned kVkDown = 0x28;

constexpr unsigned kMfPopup = 0x0010;
constexpr unsigned kWvrValidRects = 0x0400;

}  // namespace WinValue
