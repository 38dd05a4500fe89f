// Which skinner a bare child window of a dialog gets, by its window class
// and style. The form skinner creates it, owned by itself, and attaches it
// with AttachWindow.
#pragma once

#include <cstdint>
#include <string_view>

#include "skin/controls/SkinnerClass.h"

struct TWindowChoice {
  TSkinnerClass Skinner = scNone;
  // The skinner goes to the window's first child (an extended combo box's
  // inner combo box), and to nothing when it has none.
  bool OnFirstChild = false;
  // The window's own child windows are offered too: it holds controls (a
  // dialog's page, a shell's view of a folder, a simple combo box's list).
  bool OfferChildren = false;
};

// Only child windows are offered.
bool IsOfferedChildWindow(uint32_t style);

// className in any letter case. A "scrollbar" window is framed as a size box
// only when it is one; a real scroll bar is painted as a scroll bar.
TWindowChoice ChooseWindowSkinner(std::wstring_view className, uint32_t style);

// A "button" window's skinner, by its style's low bits in this order: all of
// 7 a group box; 3, the 2 bit or both bits of 5 a check box; both bits
// of 9 or the 4 bit a radio button; anything else a push button. Button types
// above 9 (push box, owner drawn, split buttons, command links) keep the
// platform's look: the bit tests would take most of them for check boxes.
TSkinnerClass ButtonWindowSkinner(uint32_t style);
