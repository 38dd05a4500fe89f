#include "skin/engine/FrameStyles.h"

#include "skin/engine/WindowValues.h"

using namespace WinValue;

TFrameKind FrameKindOf(uint32_t style, uint32_t exStyle) {
  if ((style & kWsPopup) && (style & kWsCaption) != kWsCaption) return frPlatform;
  if ((exStyle & kWsExWindowEdge) || (style & kWsThickFrame)) return frEdged;
  return frPlain;
}

TFormKind FormKindOf(uint32_t exStyle, bool hasMdiClientChild) {
  if (exStyle & kWsExMdiChild) return fkMdiChild;
  return hasMdiClientChild ? fkMdiFrame : fkOrdinary;
}

uint8_t BorderIconsOf(uint32_t style, bool hasSystemMenu) {
  uint8_t icons = 0;
  if ((style & kWsSysMenu) || hasSystemMenu) icons |= kBorderSystemMenu;
  if (style & kWsMinimizeBox) icons |= kBorderMinimiseBox;
  if (style & kWsMaximizeBox) icons |= kBorderMaximiseBox;
  return icons;
}

bool IsRightToLeft(uint32_t exStyle) { return exStyle & kWsExLeftScrollBar; }

TSkinWindowState WindowStateOfShowCommand(unsigned showCommand) {
  switch (showCommand) {
    case kSwShowMinimized:
    case kSwMinimize:
    case kSwShowMinNoActive:
      return swMinimised;
    case kSwShowMaximized:
      return swMaximised;
    default:
      return swNormal;
  }
}

std::optional<TSkinWindowState> WindowStateOfSizeType(unsigned sizeType) {
  switch (sizeType) {
    case kSizeRestored:
      return swNormal;
    case kSizeMinimized:
      return swMinimised;
    case kSizeMaximized:
      return swMaximised;
    default:
      return std::nullopt;
  }
}

std::optional<TCaptionStyles> CaptionStyles(bool on, const TCaptionStyles& current, bool hasOwner,
                                            TFormKind formKind, bool mdiMaximised, TFrameKind frameKind) {
  if (formKind == fkMdiChild && mdiMaximised && !on) return std::nullopt;
  if (frameKind == frPlatform) return std::nullopt;
  TCaptionStyles result = current;
  if (on) {
    result.Style |= current.Removed;
    result.Removed = 0;
    return result;
  }
  uint32_t taken = 0;
  if (hasOwner)
    taken = current.Style & (kWsSysMenu | kWsMinimizeBox | kWsMaximizeBox);
  else if ((current.Style & kWsCaption) == kWsCaption)
    taken = kWsCaption;
  result.Style &= ~taken;
  result.Removed |= taken;
  if (taken & kWsCaption) result.BorderIcons |= kBorderCaptionRemoved;
  return result;
}

TMinMaxCaption CaptionOnMinMaxInfo(TFormKind formKind, TSkinWindowState state, bool mdiMaximised) {
  if (state == swMinimised) return {true, false};
  if (formKind != fkMdiChild) return {false, false};
  if (state == swNormal) return {false, mdiMaximised};
  return {true, false};
}

bool KeepsPlatformFrame(TFormKind formKind, TSkinWindowState state, TFrameKind frameKind) {
  return (formKind == fkMdiChild && state != swNormal) || frameKind == frPlatform;
}

bool HandlesFrameMessages(uint32_t style, TFormKind formKind) {
  return !(style & kWsChild) || formKind == fkMdiChild;
}

bool RunsFrameHandlers(TFormKind formKind, TSkinWindowState state, TFrameLife life) {
  return !(formKind == fkMdiChild && state != swNormal) && state != swMinimised && life != flAttached;
}

bool PaintsFrame(TFrameLife life, TFrameKind frameKind, TFormKind formKind, TSkinWindowState state) {
  return (life == flSkinned || life == flReloading) && !KeepsPlatformFrame(formKind, state, frameKind);
}
