// The button skinners: push buttons (toolkit and bare "button" windows),
// the toolkit's bit buttons with their glyph, and its windowless speed
// buttons. Each draws the skin's "Buttons" element in the frame of its
// state and the caption over it, and does the pressing itself.
#pragma once

#include "skin/controls/SkinControl.h"
#include "toolkit/graphics/ScaledBitmap.h"
#include "toolkit/core/ButtonLayout.h"

class TSkinButton : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinButton() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinButton"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;
  // Sizes Buffer to rect, fills it with the face colour and draws the
  // element's frame over it; answers the buffer's context.
  HDC PaintFace(TBitmap& buffer, const RECT& rect, int frameCount, int frame);
  // The pressed and hot bits as the mouse and the space key move them.
  void MouseMoved();
  void MouseEntered();
  void MouseLeaving();
  void Click();

  TBitmap FBuffer;
};

class TSkinBitButton : public TSkinButton {
 public:
  using TSkinButton::TSkinButton;
  ~TSkinBitButton() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinBitButton"; }

 protected:
  void Paint(HDC dc, const RECT& rect) override;

  // The button's glyph at the scale it is drawn at.
  TScaledBitmap FGlyph;
};

// What a bit or speed button shows besides the face.
struct TButtonContent {
  TBitmap* Glyph = nullptr;  // none, or empty: caption only
  int NumGlyphs = 1;
  int GlyphCell = 0;
  TButtonLayout Layout = blGlyphLeft;
  int Margin = -1;
  int Spacing = 4;
  int AutoMarginExtra = 0;
  std::wstring Caption;
};

class TSkinSpeedButton : public TSkinBitButton {
 public:
  using TSkinBitButton::TSkinBitButton;
  ~TSkinSpeedButton() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinSpeedButton"; }

  // The owner, a windowless speed button, is taken over through its WindowProc.
  void AttachGraphic(TSkinFormLink* form, TSkinData& skinData, TCanvas* canvas);
  // On the parent window's context, clipped to the button.
  void Repaint(HDC dc) override;

 protected:
  bool BeforeMessage(TMessage& message) override;
  void AfterMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;

 private:
  void GiveWindowProcBack();
};

// Glyph and caption in rect on dc (its font selected), by the bit buttons' layout rules.
void DrawButtonContent(HDC dc, const RECT& rect, const TButtonContent& content, bool enabled);
