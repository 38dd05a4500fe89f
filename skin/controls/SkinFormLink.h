// What a control skinner asks of the form skinner of its window, which keeps
// the skinners of that window. A skinner works without one as well: nothing
// is registered then, no skinner is told that another has the mouse, and it
// draws on a canvas of its own.
#pragma once

#include "skin/engine/SkinControlLink.h"
#include "toolkit/graphics/Graphics.h"

class TSkinFormLink {
 public:
  virtual ~TSkinFormLink();
  // Registers skinner; true when it was registered already.
  virtual bool RegisterControl(TSkinControlLink* skinner) = 0;
  virtual void UnregisterControl(TSkinControlLink* skinner) = 0;
  // The skinner that has the mouse (in a window without a toolkit form).
  virtual TSkinControlLink* MouseControl() const = 0;
  virtual void SetMouseControl(TSkinControlLink* skinner) = 0;
  // The canvas the form skinner hands its control skinners.
  virtual TCanvas& ControlCanvas() = 0;
  // The DPI the form's window is drawn at, which its controls follow; 0
  // when the form skinner does not know it yet.
  virtual int ControlDpi() const { return 0; }
  // 1 while the form skinner has its window skinned.
  virtual int LifeState() const = 0;
  // The window of skinner has just been destroyed (its LifeState is 6 now).
  // A form skinner frees the skinners whose windows are gone and skins again
  // a toolkit control that has a new window; without one the skinner stays
  // as it is and lets every message pass.
  virtual void ControlWindowGone(TSkinControlLink*) {}
};
