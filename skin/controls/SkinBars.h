// Progress and track bars: TSkinProgress paints over a progress bar the
// skin's empty bar and its filled part (or a row of chunks); TSkinTrackBar
// lets the platform draw the tics and the channel and draws the thumb from
// the skin, through the track bar's custom drawing.
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinProgress : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinProgress() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinProgress"; }

 protected:
  void Paint(HDC dc, const RECT& rect) override;
};

class TSkinTrackBar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinTrackBar() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinTrackBar"; }

 protected:
  bool BeforeMessage(TMessage& message) override;

 private:
  void DrawThumb(HDC dc);
};
