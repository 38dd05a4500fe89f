#include "skin/controls/WindowChoice.h"

#include <string>

#include "skin/controls/PlatformValues.h"
#include "toolkit/core/WideText.h"

namespace {

bool HasAll(uint32_t style, uint32_t bits) { return (style & bits) == bits; }

// Combo boxes of the simple style show their list all the time and have no button.
constexpr uint32_t kComboTypeMask = 0x03;

}  // namespace

bool IsOfferedChildWindow(uint32_t style) { return (style & kWsChild) != 0; }

TSkinnerClass ButtonWindowSkinner(uint32_t style) {
  if ((style & kBsTypeMask) > kBsAutoRadioButton) return scNone;
  if (HasAll(style, kBsGroupBox)) return scNone;
  if (HasAll(style, kBsAutoCheckBox) || HasAll(style, kBsCheckBox) || HasAll(style, kBs3State)) return scCheckBox;
  if (HasAll(style, kBsAutoRadioButton) || HasAll(style, kBsRadioButton)) return scRadioButton;
  return scButton;
}

TWindowChoice ChooseWindowSkinner(std::wstring_view className, uint32_t style) {
  const std::wstring name = UpperCase(std::wstring(className));
  if (name == L"BUTTON") return {ButtonWindowSkinner(style)};
  if (name == L"COMBOBOX") return {(style & kComboTypeMask) != kCbsSimple ? scComBox : scNone};
  if (name == L"COMBOBOXEX32") return {scComBox, true};
  // A size box is only framed; a dialog's real scroll bar gets its arrows,
  // track and thumb from the skin, as the toolkit's scroll bars do.
  if (name == L"SCROLLBAR") return {(style & (kSbsSizeBox | kSbsSizeGrip)) ? scSizer : scScControl};
  // Tabs drawn as buttons, or by their owner, keep the platform's look.
  if (name == L"SYSTABCONTROL32")
    return {(style & (kTcsOwnerDrawFixed | kTcsButtons)) == 0 ? scTab : scNone};
  if (name == L"EDIT") return {scEdit};
  return {};
}
