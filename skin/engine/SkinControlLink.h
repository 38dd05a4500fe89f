// What a form skinner needs of the skinners of its child controls: it keeps
// them registered, tells them when the skin changes or the mouse has left,
// gives them their colours back when it lets go of the window, and skips the
// ones whose window is already gone.
#pragma once

#include <windows.h>

class TSkinControlLink {
 public:
  virtual ~TSkinControlLink();
  virtual void RestoreColour() = 0;
  virtual void SkinChanged() = 0;
  virtual void MouseLeft() = 0;
  // 6 once the control's window has been destroyed.
  virtual int LifeState() const = 0;
  virtual HWND ControlWindow() const = 0;
};
