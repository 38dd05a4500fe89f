// What the skinned frame's commands do: the actions of the title-bar
// buttons, the skinned system menu's items and their enabling, the window
// state a command sets, and which keyboard menu requests the frame swallows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/engine/FrameStyles.h"

enum TFrameCommand {
  fcClose,           // stop polling the mouse, post WM_CLOSE
  fcRestore,
  fcToggleMaximise,
  fcToggleMinimise,
  fcSystemMenu,      // ShowSystemMenu one pixel right and below the point
  fcMdiMinimise,     // SC_MINIMIZE, SC_RESTORE, SC_CLOSE to the active MDI child
  fcMdiRestore,
  fcMdiClose,
  fcPostAction       // post SKM_QUERYSKINNED with the action in wParam
};

// A system button's Action.
TFrameCommand CommandOfAction(int action);

// A skinned system menu item's Tag (0 restore, 1 maximise, 2 minimise, 3 close).
std::optional<TFrameCommand> CommandOfSystemMenuTag(int tag);

// What Restore, ToggleMaximise and ToggleMinimise do: the state the skinner
// records at once and the WM_SYSCOMMAND it posts. Toggling a maximised
// (minimised) window restores it.
struct TStateCommand {
  TSkinWindowState State = swNormal;
  unsigned SysCommand = 0;
  bool operator==(const TStateCommand&) const = default;
};
TStateCommand StateCommand(TFrameCommand command, TSkinWindowState state);

// The skinned system menu's items in order: Restore, Maximize (with a
// maximise box), Minimize (with a minimise box), a separator, Close
// (Alt+F4). Tag and image index are the same number.
struct TSystemMenuItem {
  std::wstring Caption;
  int Tag = 0;
  std::wstring ShortCut;  // empty, or the shortcut's text
  bool operator==(const TSystemMenuItem&) const = default;
};
std::vector<TSystemMenuItem> SystemMenuItems(uint8_t borderIcons);

// Each state item is disabled in its own state; other items are left alone.
std::optional<bool> SystemMenuItemEnabled(int tag, TSkinWindowState state);

// A second system-menu request within the double-click time closes the
// window. The tick difference is unsigned, so it survives the counter's wrap.
bool IsSecondSystemMenuClick(uint32_t now, uint32_t lastPopup, uint32_t doubleClickTime);

// WM_COMMAND ids (a choice from the platform's system menu) that are
// re-posted as WM_SYSCOMMAND.
bool IsRepostedSystemCommand(unsigned id);

// WM_SYSCOMMAND SC_KEYMENU (the Alt key): swallowed while no menu is tracked
// and no window has the mouse capture, for Alt alone (lParam 0) or the
// accelerator of an enabled menu-bar entry, but never for the system menu's
// keys blank and "-".
struct TKeyMenuRequest {
  bool MenuTracking = false;
  uintptr_t Command = 0;  // wParam
  intptr_t Key = 0;       // lParam
  bool MouseCaptured = false;
  bool EnabledEntryAccelerator = false;  // Key is the accelerator of an enabled entry
};
bool SwallowsKeyMenu(const TKeyMenuRequest& request);
// Alt+Space: the system menu asked for from the keyboard.
bool IsKeyboardSystemMenu(const TKeyMenuRequest& request);

// The state a WM_SYSCOMMAND sets before it is processed, and whether an MDI
// child then puts its caption styles back (minimise) or takes them away
// (restore).
struct TSysCommandState {
  TSkinWindowState State = swNormal;
  std::optional<bool> MdiChildCaption;
  bool operator==(const TSysCommandState&) const = default;
};
std::optional<TSysCommandState> StateOfSysCommand(uintptr_t command);
