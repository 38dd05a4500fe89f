#include "toolkit/forms/RadioButtons.h"

#include <algorithm>

bool TRadioButton::Checked() const {
  if (FHandle) return SendMessageW(FHandle, BM_GETCHECK, 0, 0) == BST_CHECKED;
  return FChecked;
}

void TRadioButton::SetChecked(bool checked) {
  FChecked = checked;
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TRadioButton::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Checked") return SetChecked(PropBool(value)), true;
  return TWinControl::SetProperty(name, value);
}

std::optional<TPropValue> TRadioButton::GetProperty(const std::wstring& name) const {
  if (name == L"Checked") return BoolProp(Checked());
  return TWinControl::GetProperty(name);
}

void TRadioButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = L"BUTTON";
  params.Style |= BS_AUTORADIOBUTTON;
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

// The window keeps the state, and it is kept here too for a window made again.
void TRadioButton::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
    FChecked = Checked();
    return Click();
  }
  if (message.Msg == WM_DESTROY) FChecked = Checked();
  TWinControl::WndProc(message);
}

void TRadioGroup::SetItems(const std::vector<std::wstring>& items) {
  while (!FButtons.empty()) FButtons.back()->Free();
  for (const std::wstring& item : items) {
    auto* button = new TRadioButton(this);
    button->SetText(item);
    button->SetOnClick(TNotifyEvent::Of<&TRadioGroup::ButtonClick>(*this));
    button->SetParent(this);
    FButtons.push_back(button);
  }
  ArrangeButtons();
}

void TRadioGroup::Notification(TComponent* component, TOperation operation) {
  TGroupBox::Notification(component, operation);
  if (operation == opRemove) FButtons.erase(std::remove(FButtons.begin(), FButtons.end(), component), FButtons.end());
}

int TRadioGroup::ItemIndex() const {
  for (size_t i = 0; i < FButtons.size(); ++i)
    if (FButtons[i]->Checked()) return static_cast<int>(i);
  return -1;
}

void TRadioGroup::SetItemIndex(int index) {
  for (size_t i = 0; i < FButtons.size(); ++i) FButtons[i]->SetChecked(static_cast<int>(i) == index);
}

void TRadioGroup::ButtonClick(TComponent*) { Click(); }

void TRadioGroup::SetBounds(int left, int top, int width, int height) {
  TGroupBox::SetBounds(left, top, width, height);
  ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  constexpr int kInset = 8, kCaptionRoom = 16, kBottomRoom = 4;
  const int count = static_cast<int>(FButtons.size());
  const int row = std::max((Height() - kCaptionRoom - kBottomRoom) / count, 1);
  for (int i = 0; i < count; ++i)
    FButtons[static_cast<size_t>(i)]->SetBounds(kInset, kCaptionRoom + i * row, std::max(Width() - 2 * kInset, 1), row);
}

bool TRadioGroup::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Items") return SetItems(PropLines(value)), true;
  if (name == L"ItemIndex") return SetItemIndex(int(PropInt(value))), true;
  return TGroupBox::SetProperty(name, value);
}

std::optional<TPropValue> TRadioGroup::GetProperty(const std::wstring& name) const {
  if (name == L"ItemIndex") return int64_t(ItemIndex());
  return TGroupBox::GetProperty(name);
}
