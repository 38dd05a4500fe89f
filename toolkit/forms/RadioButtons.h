// Radio buttons, alone or as the items of a radio group: a group box that
// makes one radio button per line of Items and keeps which one is chosen.
#pragma once

#include <vector>

#include "toolkit/forms/StdCtrls.h"

class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* owner) : TWinControl(owner) {}
  std::wstring ClassName() const override { return L"TRadioButton"; }
  unsigned Kinds() const override { return ckRadioButton; }
  // Read from the window once it exists: the user changes it there.
  bool Checked() const;
  void SetChecked(bool checked);
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override { SetChecked(FChecked); }
  void WndProc(TMessage& message) override;

 private:
  bool FChecked = false;
};

class TRadioGroup : public TGroupBox {
 public:
  explicit TRadioGroup(TComponent* owner) : TGroupBox(owner) {}
  std::wstring ClassName() const override { return L"TRadioGroup"; }
  unsigned Kinds() const override { return ckRadioGroup | ckGroupBox | ckContainer; }

  // One button per item; "Items" in a layout has "\n" between them.
  void SetItems(const std::vector<std::wstring>& items);
  int ItemCount() const { return static_cast<int>(FButtons.size()); }
  TRadioButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }
  // -1: none chosen.
  int ItemIndex() const;
  void SetItemIndex(int index);
  void SetBounds(int left, int top, int width, int height) override;
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void ButtonClick(TComponent* sender);
  // The buttons share the room below the caption in equal rows.
  void ArrangeButtons();

  std::vector<TRadioButton*> FButtons;
};
