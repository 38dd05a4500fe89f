// Tabs from the skin: TSkinTab paints over a tab control's strip of tabs
// and its page border, for tabs on any side, with the skin's images turned
// to match; TSkinTab31 paints an old-style tab set whole.
#pragma once

#include "skin/controls/SkinUpDown.h"

class TSkinTab : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinTab() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinTab"; }
  void AttachWindow(HWND wnd, TSkinData& skinData, TSkinFormLink* form, TCanvas* canvas) override;
  void SkinChanged() override;

 protected:
  void Paint(HDC dc, const RECT& rect) override;

 private:
  // The tab and border images, copied at 24 bits and turned to the tabs' side.
  void PrepareImages();
  void PaintStrip(HDC dc, const RECT& rect, const RECT& display);

  int FOrientation = 0;
  int FPreparedDpi = 0;  // the turned images are of the skin at this DPI
  TBitmap FTabImage;
  TBitmap FBorderImage;
  TBitmap FStripBuffer;
};

class TSkinTab31 : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinTab31() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinTab31"; }
  void AttachControl(TSkinFormLink* form, TSkinData& skinData, bool useSkinColour, TCanvas* canvas) override;
  void SkinChanged() override;

 protected:
  bool BeforeMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;

 private:
  // The tab image, flipped upside down: a tab set's tabs hang from its top.
  void PrepareImage();
  int FPreparedDpi = 0;

  TBitmap FTabImage;
  TControl* FScrollerControl = nullptr;
};
