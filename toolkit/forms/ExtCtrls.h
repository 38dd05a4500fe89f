// Windowless extras (a speed button, a bevel, a picture), the panel and the timer.
#pragma once

#include "toolkit/forms/ButtonGlyph.h"
#include "toolkit/forms/Controls.h"
#include "toolkit/graphics/ScaledBitmap.h"

class TSpeedButton : public TControl {
 public:
  explicit TSpeedButton(TComponent* owner) : TControl(owner) {}
  std::wstring ClassName() const override { return L"TSpeedButton"; }
  unsigned Kinds() const override { return ckSpeedButton; }
  bool Flat() const { return FFlat; }
  bool Down() const { return FDown; }
  void SetDown(bool down);
  // Call Invalidate after drawing into the glyph or loading it.
  TButtonGlyph& Glyph() { return FGlyph; }
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;

 protected:
  void Paint(TCanvas& canvas) override;
  void MouseDown(int x, int y) override;
  void MouseUp(int x, int y) override;
  void CancelMode() override;

 private:
  bool FFlat = false;
  bool FDown = false;
  bool FTransparent = false;
  bool FPressed = false;
  TButtonGlyph FGlyph;
};

// A separator: a sunken line along the control's bottom edge.
class TBevel : public TControl {
 public:
  explicit TBevel(TComponent* owner) : TControl(owner) {}
  std::wstring ClassName() const override { return L"TBevel"; }

 protected:
  void Paint(TCanvas& canvas) override;
};

// A picture drawn at its natural size from the top left.
class TImage : public TControl {
 public:
  explicit TImage(TComponent* owner) : TControl(owner) {}
  std::wstring ClassName() const override { return L"TImage"; }
  TBitmap& Picture() { return FPicture; }
  // "Picture.Jpeg" names a JPEG in the program's RCDATA resources.
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  TBitmap FPicture;
  TScaledBitmap FScaled;  // the picture at the control's scale
};

enum TBevelCut { bvNone, bvLowered, bvRaised };

// A container with a raised (or lowered) edge and its caption in the middle.
class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner) : TCustomControl(owner) {}
  std::wstring ClassName() const override { return L"TPanel"; }
  unsigned Kinds() const override { return ckPanel | ckContainer; }
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut bevel);
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  TBevelCut FBevelOuter = bvRaised;
};

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner) : TComponent(owner) {}
  ~TTimer() override;
  std::wstring ClassName() const override { return L"TTimer"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned milliseconds);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const TNotifyEvent& handler);
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  bool SetEvent(const std::wstring& name, const std::any& handler) override;

 protected:
  void Loaded() override { UpdateTimer(); }

 private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  void UpdateTimer();
  bool FEnabled = true;
  unsigned FInterval = 1000;
  UINT_PTR FId = 0;
  TNotifyEvent FOnTimer;
};
