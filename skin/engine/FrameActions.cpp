#include "skin/engine/FrameActions.h"

#include "skin/engine/WindowValues.h"

using namespace WinValue;

namespace {

constexpr uintptr_t kSysCommandMask = 0xFFF0;
constexpr intptr_t kBlankKey = 32, kMinusKey = 45;

}  // namespace

TFrameCommand CommandOfAction(int action) {
  switch (action) {
    case 0:
      return fcClose;
    case 1:
    case 22:
      return fcToggleMaximise;
    case 2:
    case 23:
      return fcToggleMinimise;
    case 3:
    case 11:
    case 12:
      return fcSystemMenu;
    case 7:
    case 60:
      return fcMdiMinimise;
    case 8:
    case 61:
      return fcMdiRestore;
    case 9:
    case 62:
      return fcMdiClose;
    default:
      return fcPostAction;
  }
}

std::optional<TFrameCommand> CommandOfSystemMenuTag(int tag) {
  switch (tag) {
    case 0:
      return fcRestore;
    case 1:
      return fcToggleMaximise;
    case 2:
      return fcToggleMinimise;
    case 3:
      return fcClose;
    default:
      return std::nullopt;
  }
}

TStateCommand StateCommand(TFrameCommand command, TSkinWindowState state) {
  const TStateCommand restore{swNormal, kScRestore};
  if (command == fcToggleMaximise) return state == swMaximised ? restore : TStateCommand{swMaximised, kScMaximize};
  if (command == fcToggleMinimise) return state == swMinimised ? restore : TStateCommand{swMinimised, kScMinimize};
  return restore;
}

std::vector<TSystemMenuItem> SystemMenuItems(uint8_t borderIcons) {
  std::vector<TSystemMenuItem> items{{L" Restore ", 0, L""}};
  if (borderIcons & kBorderMaximiseBox) items.push_back({L" Maximize ", 1, L""});
  if (borderIcons & kBorderMinimiseBox) items.push_back({L" Minimize ", 2, L""});
  items.push_back({L"-", 100, L""});
  items.push_back({L" Close ", 3, L"Alt+F4"});
  return items;
}

std::optional<bool> SystemMenuItemEnabled(int tag, TSkinWindowState state) {
  if (tag < swNormal || tag > swMinimised) return std::nullopt;
  return tag != state;
}

bool IsSecondSystemMenuClick(uint32_t now, uint32_t lastPopup, uint32_t doubleClickTime) {
  return static_cast<uint32_t>(now - lastPopup) <= doubleClickTime;
}

bool IsRepostedSystemCommand(unsigned id) {
  switch (id) {
    case kScSize:
    case kScMove:
    case kScMinimize:
    case kScMaximize:
    case kScNextWindow:
    case kScPrevWindow:
    case kScClose:
    case kScRestore:
      return true;
    default:
      return false;
  }
}

bool SwallowsKeyMenu(const TKeyMenuRequest& request) {
  if (request.MenuTracking || (request.Command & kSysCommandMask) != kScKeyMenu) return false;
  if (request.Key == kBlankKey || request.Key == kMinusKey || request.MouseCaptured) return false;
  return request.Key == 0 || request.EnabledEntryAccelerator;
}

bool IsKeyboardSystemMenu(const TKeyMenuRequest& request) {
  return !request.MenuTracking && (request.Command & kSysCommandMask) == kScKeyMenu && request.Key == kBlankKey;
}

std::optional<TSysCommandState> StateOfSysCommand(uintptr_t command) {
  switch (command & kSysCommandMask) {
    case kScMinimize:
      return TSysCommandState{swMinimised, true};
    case kScMaximize:
      return TSysCommandState{swMaximised, std::nullopt};
    case kScRestore:
      return TSysCommandState{swNormal, false};
    default:
      return std::nullopt;
  }
}
