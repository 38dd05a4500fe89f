// A dialog's tool bar (the platform's, with no toolkit object): its buttons'
// faces come from the skin's button element, drawn through the custom
// drawing the bar asks of its parent, which the dialog's skinner hands back
// to this one; the bar draws the buttons' images and texts over them.
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinToolBar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinToolBar() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinToolBar"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
};
