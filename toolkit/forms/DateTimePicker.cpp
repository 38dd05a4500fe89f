#include "toolkit/forms/DateTimePicker.h"

#include <commctrl.h>

#include <cwchar>

namespace {

constexpr const wchar_t* kKinds[] = {L"dtkDate", L"dtkTime"};
constexpr const wchar_t* kDateModes[] = {L"dmComboBox", L"dmUpDown"};

// Three numbers of a text "a-b-c" or "a:b:c"; EPropertyError for anything else.
void ReadTriple(const std::wstring& text, wchar_t separator, WORD& a, WORD& b, WORD& c) {
  unsigned x = 0, y = 0, z = 0;
  wchar_t first = 0, second = 0, rest = 0;
  if (swscanf(text.c_str(), L"%u%lc%u%lc%u%lc", &x, &first, &y, &second, &z, &rest) != 5 || first != separator ||
      second != separator || x > 0xFFFF || y > 0xFFFF || z > 0xFFFF)
    throw EPropertyError(L"Invalid property value");
  a = WORD(x), b = WORD(y), c = WORD(z);
}

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  FColor = clWindow;
  FParentColor = false;
  GetLocalTime(&FDateTime);
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value) {
  FDateTime = value;
  if (FHandle) SendMessageW(FHandle, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FDateTime));
}

bool TDateTimePicker::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Kind") return FKind = PropEnum<TDateTimeKind>(value, kKinds), RecreateWnd(), true;
  if (name == L"DateMode") return FDateMode = PropEnum<TDTDateMode>(value, kDateModes), RecreateWnd(), true;
  SYSTEMTIME time = FDateTime;
  if (name == L"Date") {
    ReadTriple(PropString(value), L'-', time.wYear, time.wMonth, time.wDay);
    return SetDateTime(time), true;
  }
  if (name == L"Time") {
    ReadTriple(PropString(value), L':', time.wHour, time.wMinute, time.wSecond);
    return SetDateTime(time), true;
  }
  return TWinControl::SetProperty(name, value);
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = DATETIMEPICK_CLASSW;
  params.Style |= WS_TABSTOP | (ShowsUpDown() ? DTS_UPDOWN : 0) | (FKind == dtkTime ? DTS_TIMEFORMAT : 0);
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TDateTimePicker::InitializeWnd() { SetDateTime(FDateTime); }
