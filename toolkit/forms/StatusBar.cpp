#include "toolkit/forms/StatusBar.h"

#include <windows.h>
#include <commctrl.h>

#include "toolkit/core/DisplayScale.h"

TStatusBar* TStatusPanel::Bar() const { return &static_cast<TStatusPanels&>(Collection()).Bar(); }

void TStatusPanel::SetWidth(int width) {
  FWidth = width;
  Bar()->UpdatePanels();
}

void TStatusPanel::SetText(const std::wstring& text) {
  FText = text;
  Bar()->UpdatePanelText(Index());
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
  FAlignment = alignment;
  Bar()->UpdatePanelText(Index());
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
  FBevel = bevel;
  Bar()->UpdatePanelText(Index());
}

namespace {

constexpr const wchar_t* kAlignments[] = {L"taLeftJustify", L"taRightJustify", L"taCenter"};
constexpr const wchar_t* kBevels[] = {L"pbNone", L"pbLowered", L"pbRaised"};

}  // namespace

void TStatusPanel::SetProperty(const TLayoutProperty& property) {
  if (property.Name == L"Width") FWidth = int(PropInt(property.Value));
  else if (property.Name == L"Text") FText = PropString(property.Value);
  else if (property.Name == L"Alignment") FAlignment = PropEnum<TAlignment>(property.Value, kAlignments);
  else if (property.Name == L"Bevel") FBevel = PropEnum<TStatusPanelBevel>(property.Value, kBevels);
  else throw EPropertyError(L"Property %s does not exist", {property.Name});
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) { FAlign = alBottom; }

void TStatusBar::SetSizeGrip(bool sizeGrip) {
  if (sizeGrip == FSizeGrip) return;
  FSizeGrip = sizeGrip;
  RecreateWnd();
}

void TStatusBar::SetSimplePanel(bool simple) {
  FSimplePanel = simple;
  UpdateSimple();
}

void TStatusBar::SetSimpleText(const std::wstring& text) {
  FSimpleText = text;
  UpdateSimple();
}

void TStatusBar::UpdateSimple() {
  if (!FHandle) return;
  SendMessageW(FHandle, SB_SIMPLE, FSimplePanel, 0);
  SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

bool TStatusBar::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"SizeGrip") return SetSizeGrip(PropBool(value)), true;
  if (name == L"SimplePanel") return SetSimplePanel(PropBool(value)), true;
  if (name == L"SimpleText") return SetSimpleText(PropString(value)), true;
  if (name != L"Panels") return TWinControl::SetProperty(name, value);
  FPanels.Clear();
  for (const TLayoutItem& item : PropItems(value)) {
    TStatusPanel& panel = FPanels.Add();
    for (const TLayoutProperty& property : item) panel.SetProperty(property);
  }
  UpdatePanels();
  return true;
}

void TStatusBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = STATUSCLASSNAMEW;
  params.Style |= CCS_BOTTOM | (FSizeGrip ? SBARS_SIZEGRIP : 0);
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TStatusBar::InitializeWnd() {
  UpdatePanels();
  UpdateSimple();
}

void TStatusBar::ApplyScale(int dpi) {
  TWinControl::ApplyScale(dpi);
  UpdatePanels();
}

// Each panel ends where the widths before it add up; the last one takes the rest.
void TStatusBar::UpdatePanels() {
  if (!FHandle) return;
  std::vector<int> edges;
  int edge = 0;
  const TDpiScale scale(PixelsPerInch());
  for (int i = 0; i < FPanels.Count(); ++i) {
    edge += scale.Scale(FPanels.Items(i).Width());
    edges.push_back(i + 1 == FPanels.Count() ? -1 : edge);
  }
  SendMessageW(FHandle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < FPanels.Count(); ++i) UpdatePanelText(i);
}

void TStatusBar::UpdatePanelText(int index) {
  if (!FHandle) return;
  // The control centres text after one tab and right-aligns it after two.
  constexpr const wchar_t* kAlignPrefix[] = {L"", L"\t\t", L"\t"};
  constexpr UINT kBevelType[] = {SBT_NOBORDERS, 0, SBT_POPOUT};
  const TStatusPanel& panel = FPanels.Items(index);
  std::wstring text = kAlignPrefix[panel.Alignment()] + panel.Text();
  SendMessageW(FHandle, SB_SETTEXTW, static_cast<WPARAM>(index) | kBevelType[panel.Bevel()],
               reinterpret_cast<LPARAM>(text.c_str()));
}
