// The kinds of control a skin data component may skin (its SkinControls
// set), apart from the component so that the portable choice of skinners
// can read the set too.
#pragma once

#include <cstdint>

enum TSkinControlType {
  xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, xcProgress,
  xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar, xcTab,
  xcSystemMenu, xcFastReport
};
// A set of TSkinControlType: bit n stands for the member of value n.
using TSkinControlSet = uint32_t;
constexpr TSkinControlSet SkinControlBit(TSkinControlType type) { return TSkinControlSet(1) << type; }
constexpr TSkinControlSet kAllSkinControls = (SkinControlBit(xcFastReport) << 1) - 1;
constexpr bool HasSkinControl(TSkinControlSet set, TSkinControlType type) {
  return (set & SkinControlBit(type)) != 0;
}
