// What a form skinner keeps of each control skinner of its window.
#pragma once

#include <windows.h>

class TSkinControlLink {
 public:
  virtual ~TSkinControlLink();
  virtual void RestoreColour() = 0;
  virtual void SkinChanged() = 0;
  virtual void MouseLeft() = 0;
  virtual int LifeState() const = 0;
  virtual HWND ControlWindow() const = 0;
};
