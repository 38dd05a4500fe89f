#include "toolkit/forms/RangeControls.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr const wchar_t* kTrackBarOrientations[] = {L"trHorizontal", L"trVertical"};
constexpr const wchar_t* kUpDownOrientations[] = {L"udHorizontal", L"udVertical"};
constexpr const wchar_t* kScrollBarKinds[] = {L"sbHorizontal", L"sbVertical"};

}  // namespace

void TRangeControl::SetMin(int min) {
  FMin = min;
  UpdateRange();
}

void TRangeControl::SetMax(int max) {
  FMax = max;
  UpdateRange();
}

void TRangeControl::SetPosition(int position) {
  FPosition = position;
  UpdatePosition();
}

void TRangeControl::InitializeWnd() {
  UpdateRange();
  UpdatePosition();
}

void TRangeControl::PositionMoved(int position) {
  if (position == FPosition) return;
  FPosition = position;
  if (FOnChange) FOnChange(this);
}

bool TRangeControl::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Min") return SetMin(int(PropInt(value))), true;
  if (name == L"Max") return SetMax(int(PropInt(value))), true;
  if (name == L"Position") return SetPosition(int(PropInt(value))), true;
  return TWinControl::SetProperty(name, value);
}

std::optional<TPropValue> TRangeControl::GetProperty(const std::wstring& name) const {
  if (name == L"Min") return int64_t(FMin);
  if (name == L"Max") return int64_t(FMax);
  if (name == L"Position") return int64_t(FPosition);
  return TWinControl::GetProperty(name);
}

bool TRangeControl::SetEvent(const std::wstring& name, const std::any& handler) {
  if (name == L"OnChange") return BindEvent(handler, FOnChange);
  return TWinControl::SetEvent(name, handler);
}

void TProgressBar::CreateParams(TCreateParams& params) {
  TRangeControl::CreateParams(params);
  params.BaseClass = PROGRESS_CLASSW;
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TProgressBar::UpdateRange() {
  if (FHandle) SendMessageW(FHandle, PBM_SETRANGE32, WPARAM(FMin), LPARAM(FMax));
}

void TProgressBar::UpdatePosition() {
  if (FHandle) SendMessageW(FHandle, PBM_SETPOS, WPARAM(FPosition), 0);
}

void TTrackBar::SetFrequency(int frequency) {
  FFrequency = frequency;
  if (FHandle) SendMessageW(FHandle, TBM_SETTICFREQ, WPARAM(FFrequency), 0);
}

bool TTrackBar::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Orientation") {
    FOrientation = PropEnum<TTrackBarOrientation>(value, kTrackBarOrientations);
    return RecreateWnd(), true;
  }
  if (name == L"Frequency") return SetFrequency(int(PropInt(value))), true;
  return TRangeControl::SetProperty(name, value);
}

void TTrackBar::CreateParams(TCreateParams& params) {
  TRangeControl::CreateParams(params);
  params.BaseClass = TRACKBAR_CLASSW;
  params.Style |= TBS_AUTOTICKS | WS_TABSTOP | (FOrientation == trVertical ? TBS_VERT : TBS_HORZ);
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TTrackBar::UpdateRange() {
  if (!FHandle) return;
  SendMessageW(FHandle, TBM_SETRANGEMIN, FALSE, LPARAM(FMin));
  SendMessageW(FHandle, TBM_SETRANGEMAX, TRUE, LPARAM(FMax));
  SendMessageW(FHandle, TBM_SETTICFREQ, WPARAM(FFrequency), 0);
}

void TTrackBar::UpdatePosition() {
  if (FHandle) SendMessageW(FHandle, TBM_SETPOS, TRUE, LPARAM(FPosition));
}

void TTrackBar::WndProc(TMessage& message) {
  if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL)
    return PositionMoved(int(SendMessageW(FHandle, TBM_GETPOS, 0, 0)));
  TRangeControl::WndProc(message);
}

bool TUpDown::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Orientation") {
    FOrientation = PropEnum<TUDOrientation>(value, kUpDownOrientations);
    return RecreateWnd(), true;
  }
  return TRangeControl::SetProperty(name, value);
}

void TUpDown::CreateParams(TCreateParams& params) {
  TRangeControl::CreateParams(params);
  params.BaseClass = UPDOWN_CLASSW;
  params.Style |= UDS_ARROWKEYS | (FOrientation == udHorizontal ? UDS_HORZ : 0);
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TUpDown::UpdateRange() {
  if (FHandle) SendMessageW(FHandle, UDM_SETRANGE32, WPARAM(FMin), LPARAM(FMax));
}

void TUpDown::UpdatePosition() {
  if (FHandle) SendMessageW(FHandle, UDM_SETPOS32, 0, LPARAM(FPosition));
}

void TUpDown::WndProc(TMessage& message) {
  if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL)
    return PositionMoved(int(SendMessageW(FHandle, UDM_GETPOS32, 0, 0)));
  TRangeControl::WndProc(message);
}

void TScrollBar::SetPageSize(int pageSize) {
  FPageSize = pageSize;
  UpdateRange();
}

bool TScrollBar::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Kind") {
    FKind = PropEnum<TScrollBarKind>(value, kScrollBarKinds);
    return RecreateWnd(), true;
  }
  if (name == L"PageSize") return SetPageSize(int(PropInt(value))), true;
  if (name == L"SmallChange") return FSmallChange = int(PropInt(value)), true;
  if (name == L"LargeChange") return FLargeChange = int(PropInt(value)), true;
  return TRangeControl::SetProperty(name, value);
}

std::optional<TPropValue> TScrollBar::GetProperty(const std::wstring& name) const {
  if (name == L"Kind") return TLayoutIdent{kScrollBarKinds[FKind]};
  if (name == L"PageSize") return int64_t(FPageSize);
  return TRangeControl::GetProperty(name);
}

void TScrollBar::CreateParams(TCreateParams& params) {
  TRangeControl::CreateParams(params);
  params.BaseClass = L"SCROLLBAR";
  params.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TScrollBar::UpdateRange() {
  if (!FHandle) return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = FMin;
  info.nMax = FMax;
  info.nPage = UINT(std::max(FPageSize, 0));
  info.nPos = FPosition;
  SetScrollInfo(FHandle, SB_CTL, &info, TRUE);
}

void TScrollBar::UpdatePosition() {
  if (FHandle) SetScrollPos(FHandle, SB_CTL, FPosition, TRUE);
}

// The bar's own requests, reflected from its parent.
void TScrollBar::WndProc(TMessage& message) {
  if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) return Scroll(LOWORD(message.WParam));
  TRangeControl::WndProc(message);
}

void TScrollBar::Scroll(int code) {
  int position = FPosition;
  switch (code) {
    case SB_LINEUP: position -= FSmallChange; break;
    case SB_LINEDOWN: position += FSmallChange; break;
    case SB_PAGEUP: position -= FLargeChange; break;
    case SB_PAGEDOWN: position += FLargeChange; break;
    case SB_TOP: position = FMin; break;
    case SB_BOTTOM: position = FMax; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(FHandle, SB_CTL, &info);
      position = info.nTrackPos;
      break;
    }
    default: return;
  }
  const int last = FMax - std::max(FPageSize - 1, 0);
  position = std::clamp(position, FMin, std::max(last, FMin));
  if (position == FPosition) return;
  PositionMoved(position);
  UpdatePosition();
}
