#include "skin/engine/WinSysButton.h"

#include "skin/engine/WinSkinForm.h"
#include "skin/model/SkinElements.h"

TWinSysButton::TWinSysButton(TWinSkinForm& form, TDataSkinSysButton& element)
    : TNCObject(form), Form(form), Element(element) {}

void TWinSysButton::Paint() { Form.PaintSysButton(*this); }

TSysButtonInfo TWinSysButton::Info() const {
  return {Element.Action,      Element.Align,         Element.Xcoord,         Element.Ycoord,
          Element.Visibility,  Element.Visibility1,   Element.Image.Width(),  Element.Image.Height(),
          Element.FrameCount};
}
