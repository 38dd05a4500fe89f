// TWinSysButton: one of a skinned window's title-bar buttons, standing for
// one button element of the skin. Its state changes redraw it alone.
#pragma once

#include "skin/engine/NCObject.h"
#include "skin/engine/SysButtonLayout.h"

class TDataSkinSysButton;
class TWinSkinForm;

class TWinSysButton : public TNCObject {
 public:
  TWinSysButton(TWinSkinForm& form, TDataSkinSysButton& element);
  void Paint() override;
  // The element as the layout and visibility rules read it.
  TSysButtonInfo Info() const;

  TWinSkinForm& Form;
  TDataSkinSysButton& Element;
};
