// The title bar's system buttons: which are visible in a window's state,
// where each goes, and which frame of its image each shows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "skin/engine/FrameMetrics.h"
#include "skin/engine/FrameStyles.h"

// One button element of the skin (a title-bar button section) as the layout
// needs it.
struct TSysButtonInfo {
  int Action = 0, Align = 0, Xcoord = 0, Ycoord = 0;
  int Visibility = 0, Visibility1 = 0;
  int ImageWidth = 0, ImageHeight = 0;
  int FrameCount = 1;
};

// What the visibility values test.
struct TTitleState {
  TFrameKind FrameKind = frPlain;
  uint8_t BorderIcons = 0;
  TSkinWindowState WindowState = swNormal;
  bool Active = true;
  TFormKind FormKind = fkOrdinary;
  bool ActiveMdiChildMaximised = false;
  int MenuHeight = 0;
};

// Both the Visibility and the Visibility1 condition must hold, and an
// Action 1 (maximise) button needs a maximise box, an Action 2 one a minimise
// box. The conditions by value: 0 a frame of kind other than 3 (for the
// close action also a system menu) for Visibility and always for
// Visibility1; 1 maximised; 2 not maximised; 3 active; 4 inactive;
// 6 a maximise box (and for Visibility a system menu); 7 no maximise box;
// 8 a minimise box (and for Visibility a system menu); 9 no minimise box;
// 100 an MDI frame whose active child is maximised, with a menu bar;
// 200 to 2000 always; anything else never.
bool IsSysButtonVisible(const TSysButtonInfo& button, const TTitleState& state);

// Where the buttons are placed from.
struct TButtonPlaceContext {
  int WindowWidth = 0;
  TFrameSizes Frame;
  int MenuHeight = 0;
  bool RightToLeft = false;
  TSkinRect CaptionRect;                 // from the caption layout just made
  std::optional<int> MenuBarLeftWidth;  // the menu bar element's, when the skin has one
};

struct TSysButtonPlace {
  bool Visible = false;
  // None leaves the button's Bounds as they were: invisible buttons and
  // those without an image are not placed.
  std::optional<TSkinRect> Bounds;
  bool operator==(const TSysButtonPlace&) const = default;
};

struct TSysButtonLayout {
  std::vector<TSysButtonPlace> Buttons;  // one per button, same order
  int RightmostButtonLeft = 0;           // largest left edge of the Align 1 buttons placed
};

// A button is one frame of its image (frames side by side) at its Xcoord and
// Ycoord by Align: 0 from the window's left, 1 from its right, 2 and 8 left
// of the caption block, 3 and 9 right of it, 100 in the menu bar (vertically
// centred; from the right, or from the left in a right-to-left window,
// further in by the menu bar element's LeftWidth); any other at (0, 0).
TSysButtonLayout LayoutSysButtons(std::span<const TSysButtonInfo> buttons, const TTitleState& state,
                                  const TButtonPlaceContext& place);

// Which buttons the title bar draws: visible, with an image, not of the menu bar.
bool DrawsInTitle(const TSysButtonInfo& button, bool visible);

// The buttons of Action 3 and 11 show the window's icon.
bool IsIconAction(int action);

// The frame a button shows in the composed title bar: 4 (inactive) for an
// inactive window when the image has at least four frames, else 1.
int TitleButtonFrame(bool active, int frameCount);

// The frame a single button repaint shows: its state (1 normal, 2 pressed,
// 3 hot), but 4 for a hot menu-bar button.
int ButtonStateFrame(int state, int visibility);

// The menu-bar buttons' Visibility.
constexpr int kMenuBarButtonVisibility = 100;
