// Check boxes and radio buttons: the control draws itself, then the skinner
// wipes the platform's box and draws the skin's glyph for the state in its
// place (at the right edge when the caption stands on the left).
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinCheckBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinCheckBox() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinCheckBox"; }

 protected:
  void AfterMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;
  // The glyph strip, its number of glyphs, and the frame for the control's state.
  virtual TBitmap& Glyphs();
  virtual int GlyphCount();
  virtual int GlyphFrame();
  // The checked state: the button's, or a toolkit control's published Checked.
  bool IsChecked(bool fromButton);
};

class TSkinRadioButton : public TSkinCheckBox {
 public:
  using TSkinCheckBox::TSkinCheckBox;
  ~TSkinRadioButton() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinRadioButton"; }

 protected:
  TBitmap& Glyphs() override;
  int GlyphCount() override;
  int GlyphFrame() override;
};
