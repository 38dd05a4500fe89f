// The status bar painted whole from the skin: its panels (or its one simple
// panel) framed with the skin's edge images and their texts over them.
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinStatusBar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinStatusBar() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinStatusBar"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;
};
