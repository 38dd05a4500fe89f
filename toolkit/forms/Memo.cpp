#include "toolkit/forms/Memo.h"

namespace {

constexpr const wchar_t* kScrollStyles[] = {L"ssNone", L"ssHorizontal", L"ssVertical", L"ssBoth"};

// The edit breaks lines at "\r\n" only.
std::wstring EditLines(const std::wstring& text) {
  std::wstring lines;
  for (wchar_t c : text) {
    if (c == L'\n' && (lines.empty() || lines.back() != L'\r')) lines += L'\r';
    lines += c;
  }
  return lines;
}

}  // namespace

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
  FColor = clWindow;
  FParentColor = false;
}

void TMemo::SetScrollBars(TScrollStyle scrollBars) {
  if (scrollBars == FScrollBars) return;
  FScrollBars = scrollBars;
  RecreateWnd();
}

bool TMemo::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Lines") return SetText(EditLines(PropString(value))), true;
  if (name == L"ScrollBars") return SetScrollBars(PropEnum<TScrollStyle>(value, kScrollStyles)), true;
  if (name == L"WordWrap") return FWordWrap = PropBool(value), RecreateWnd(), true;
  return TWinControl::SetProperty(name, value);
}

void TMemo::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = L"EDIT";
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP;
  if (!FWordWrap) params.Style |= ES_AUTOHSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) params.Style |= WS_HSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) params.Style |= WS_VSCROLL;
  params.ExStyle = WS_EX_CLIENTEDGE;
}
