// Up-down controls painted whole from the skin: two halves (top and bottom,
// or left and right), each in the frame of its state with the skin's arrow
// glyph, or plain rectangles with drawn arrows without the skin's images.
// Also the scrollers of tab controls and tab sets, and edits' spin buttons.
#pragma once

#include "skin/controls/SkinControl.h"

class TSkinUpDown : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinUpDown() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinUpDown"; }
  // Drawn 1 px inside the client area (a spin button inside an edit's border).
  void SetInset(bool inset) { FInset = inset; }
  // 1: left and right halves whatever the control's style says.
  void SetHorizontal(int horizontal) { FHorizontal = horizontal; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;

 private:
  bool FInset = false;
  int FHorizontal = 0;
};

// The up-down skinner a skinner makes for a companion window (a scroller, a
// spin button): owned as owner's skinners are, made once per window.
TSkinUpDown* CompanionUpDown(TComponent* owner, HWND wnd, TSkinData& skinData, TSkinFormLink* form, TCanvas* canvas);
