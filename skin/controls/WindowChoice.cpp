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
  // A dialog's group box is framed as a form's is.
  if (HasAll(style, kBsGroupBox)) return scGroupBox;
  if (HasAll(style, kBsAutoCheckBox) || HasAll(style, kBsCheckBox) || HasAll(style, kBs3State)) return scCheckBox;
  if (HasAll(style, kBsAutoRadioButton) || HasAll(style, kBsRadioButton)) return scRadioButton;
  return scButton;
}

TWindowChoice ChooseWindowSkinner(std::wstring_view className, uint32_t style) {
  const std::wstring name = UpperCase(std::wstring(className));
  if (name == L"BUTTON") return {ButtonWindowSkinner(style)};
  // A simple combo box has no button: its edit and its list, which is always
  // shown, are its own child windows.
  if (name == L"COMBOBOX") {
    if ((style & kComboTypeMask) == kCbsSimple) return {scNone, false, true};
    return {scComBox};
  }
  if (name == L"COMBOBOXEX32") return {scComBox, true};
  // A size box is only framed; a dialog's real scroll bar gets its arrows,
  // track and thumb from the skin, as the toolkit's scroll bars do.
  if (name == L"SCROLLBAR") return {(style & (kSbsSizeBox | kSbsSizeGrip)) ? scSizer : scScControl};
  // Tabs drawn as buttons, or by their owner, keep the platform's look.
  if (name == L"SYSTABCONTROL32")
    return {(style & (kTcsOwnerDrawFixed | kTcsButtons)) == 0 ? scTab : scNone};
  if (name == L"EDIT") return {scEdit};
  // The lists and trees of dialogs scroll with the skin's bars; a list view's
  // column header is the skin's too.
  if (name == L"LISTBOX" || name == L"COMBOLBOX" || name == L"SYSTREEVIEW32") return {scScrollbar};
  if (name == L"SYSLISTVIEW32") return {scListView};
  if (name == L"MSCTLS_PROGRESS32") return {scProgress};
  if (name == L"MSCTLS_UPDOWN32") return {scUpDown};
  if (name == L"MSCTLS_TRACKBAR32") return {scTrackBar};
  if (name == L"TOOLBARWINDOW32") return {scToolBar};
  // A dialog inside the dialog (a property sheet's page), and the shell's
  // view of a folder in a file dialog, which holds the list of its files.
  if (name == L"#32770") return {scDialogPage};
  if (name == L"SHELLDLL_DEFVIEW") return {scNone, false, true};
  return {};
}
