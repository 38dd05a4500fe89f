// Edits and combo boxes from the skin: TSkinEdit outlines an edit that has a
// border and skins its spin button; TSkinComBox paints a combo box's (or a
// date picker's) sunken edge and drop-down button around the platform's
// text field; TSkinSizer frames a dialog's size box.
#pragma once

#include "skin/controls/SkinUpDown.h"

class TSkinEdit : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinEdit() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinEdit"; }

 protected:
  void AfterMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void FindSpinButton();
  void PrintBorder(HDC dc);

  TSkinUpDown* FSpinButton = nullptr;
};

class TSkinComBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinComBox() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinComBox"; }

 protected:
  void AfterMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;

 private:
  void PaintSunken(HDC dc, const RECT& rect, int frame, const TControlSkin& skin);
  void PaintFlat(HDC dc, const RECT& rect, int frame, const TControlSkin& skin);

  DWORD FStyle = 0;
  DWORD FExStyle = 0;
};

class TSkinSizer : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  ~TSkinSizer() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinSizer"; }

 protected:
  bool BeforeMessage(TMessage& message) override;
  void Paint(HDC dc, const RECT& rect) override;
};
