// The standard controls the windows are made of: labels, push buttons, bit
// buttons, check boxes, edits, combo boxes and group boxes.
#pragma once

#include <vector>

#include "toolkit/forms/ButtonGlyph.h"
#include "toolkit/forms/Controls.h"

// Text painted on the parent; it sizes itself to its text unless AutoSize is off.
class TLabel : public TControl {
 public:
  explicit TLabel(TComponent* owner) : TControl(owner) {}
  std::wstring ClassName() const override { return L"TLabel"; }
  bool AutoSize() const { return FAutoSize; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;

 protected:
  void Paint(TCanvas& canvas) override;
  void TextChanged() override;
  void FontChanged() override;
  void Loaded() override { AdjustBounds(); }

 private:
  void AdjustBounds();
  bool FAutoSize = true;
  bool FTransparent = false;
};

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  std::wstring ClassName() const override { return L"TButton"; }
  unsigned Kinds() const override { return ckButton; }

  // Enter presses the form's default button when the focused control is no
  // push button; Escape presses its cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool isDefault);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool cancel) { FCancel = cancel; }
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  bool FDefault = false;
  bool FCancel = false;
};

// A push button with a glyph beside its caption, drawn by itself.
class TBitBtn : public TButton {
 public:
  using TButton::TButton;
  std::wstring ClassName() const override { return L"TBitBtn"; }
  unsigned Kinds() const override { return ckButton | ckBitBtn; }

  // Call Invalidate after drawing into the glyph or loading it.
  TBitmap& Glyph() { return FGlyph.Glyph(); }
  int NumGlyphs() const { return FGlyph.NumGlyphs(); }
  void SetNumGlyphs(int count) { FGlyph.SetNumGlyphs(count), Invalidate(); }
  TButtonLayout Layout() const { return FGlyph.Layout(); }
  void SetLayout(TButtonLayout layout) { FGlyph.SetLayout(layout), Invalidate(); }
  int Margin() const { return FGlyph.Margin(); }
  void SetMargin(int margin) { FGlyph.SetMargin(margin), Invalidate(); }
  int Spacing() const { return FGlyph.Spacing(); }
  void SetSpacing(int spacing) { FGlyph.SetSpacing(spacing), Invalidate(); }
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  void DrawButton(const DRAWITEMSTRUCT& draw);

  TButtonGlyph FGlyph;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box; with AllowGrayed it also takes a third, grayed state.
class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);
  std::wstring ClassName() const override { return L"TCheckBox"; }
  unsigned Kinds() const override { return ckCheckBox; }
  // Read from the window once it exists: the user changes it there.
  bool Checked() const { return State() == cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const;
  void SetState(TCheckBoxState state);
  bool AllowGrayed() const { return FAllowGrayed; }
  // Part of the window's style: the window is made again.
  void SetAllowGrayed(bool allowGrayed);
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
};

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  std::wstring ClassName() const override { return L"TEdit"; }
  unsigned Kinds() const override { return ckEdit; }

 protected:
  void CreateParams(TCreateParams& params) override;
};

// A drop-down combo box; its items live here and in the window once it exists.
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  std::wstring ClassName() const override { return L"TComboBox"; }
  unsigned Kinds() const override { return ckComboBox; }

  int ItemCount() const { return static_cast<int>(FItems.size()); }
  const std::wstring& Item(int index) const;
  void AddItem(const std::wstring& text);
  void ClearItems();
  // -1: nothing selected.
  int ItemIndex() const;
  void SetItemIndex(int index);
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& handler) { FOnChange = handler; }
  bool SetEvent(const std::wstring& name, const std::any& handler) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;

 private:
  std::vector<std::wstring> FItems;
  int FItemIndex = -1;
  TNotifyEvent FOnChange;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner) : TWinControl(owner) {}
  std::wstring ClassName() const override { return L"TGroupBox"; }
  unsigned Kinds() const override { return ckGroupBox | ckContainer; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
};
