// The skinned frame's answers to the mouse: hit-test codes over the title
// and menu bar, the code a button press on a maximised title gets, and when a
// right click opens the system menu.
#pragma once

#include "skin/engine/FrameStyles.h"

// WM_NCHITTEST after default processing: a code the platform gave stands.
// Where it found nothing, a point below row 3 (window coordinates) is the
// caption, or the menu bar when it also lies below the title; the rows 0 to 3
// at the very top stay HTNOWHERE, so they do not start a drag.
int FrameHitTest(int defaultCode, int windowY, int frameTop);

// WM_NCLBUTTONDOWN away from the frame's buttons: an active maximised window
// turns a press on its title into one on the menu, so that it is not dragged.
int ButtonDownHitCode(int hitCode, TSkinWindowState state, bool active);

// WM_NCRBUTTONDOWN: the title of any but an MDI child opens the skinned
// system menu.
bool RightClickOpensSystemMenu(int hitCode, TFormKind formKind);
