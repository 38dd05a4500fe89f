// Containers: TSkinBox only gives a panel, tool bar or inner form the
// skin's face colour; TSkinGroupBox paints over a group box's frame with a
// rounded one in the skin's shadow colour, under its caption.
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinBox() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinBox"; }
  // Records the control and registers; the control's messages stay its own.
  void AttachControl(TSkinFormLink* form, TSkinData& skinData, bool useSkinColour, TCanvas* canvas) override;
  void RestoreColour() override;
};

class TSkinGroupBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinGroupBox() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinGroupBox"; }

 protected:
  void Paint(HDC dc, const RECT& rect) override;
};
