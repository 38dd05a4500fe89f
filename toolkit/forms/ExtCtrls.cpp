#include "toolkit/forms/ExtCtrls.h"

#include <map>

#include "toolkit/graphics/Jpeg.h"
#include "toolkit/platform/Application.h"

bool TSpeedButton::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Flat") return FFlat = PropBool(value), Invalidate(), true;
  if (name == L"Down") return FDown = PropBool(value), Invalidate(), true;
  if (name == L"Transparent") return FTransparent = PropBool(value), Invalidate(), true;
  if (FGlyph.SetProperty(name, value)) return Invalidate(), true;
  return TControl::SetProperty(name, value);
}

std::optional<TPropValue> TSpeedButton::GetProperty(const std::wstring& name) const {
  if (name == L"Flat") return BoolProp(FFlat);
  if (name == L"Down") return BoolProp(FDown);
  if (name == L"Transparent") return BoolProp(FTransparent);
  return TControl::GetProperty(name);
}

void TSpeedButton::Paint(TCanvas& canvas) {
  RECT rect = ClientRect();
  UINT state = DFCS_BUTTONPUSH | ((FPressed || FDown) ? DFCS_PUSHED : 0) | (FEnabled ? 0 : DFCS_INACTIVE);
  DrawFrameControl(canvas.Handle(), &rect, DFC_BUTTON, state);
  if (FPressed || FDown) OffsetRect(&rect, 1, 1);
  if (!FEnabled) canvas.Font().SetColor(SystemColor(COLOR_GRAYTEXT));
  if (FGlyph.Glyph().Empty()) return canvas.DrawText(FText, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  // Speed buttons put a centred pair one pixel further in than bit buttons.
  TGlyphState glyphState = !FEnabled ? gsDisabled : (FPressed || FDown) ? gsPressed : gsNormal;
  FGlyph.Paint(canvas, rect, FText, glyphState, PixelsPerInch(), 1);
}

void TSpeedButton::SetDown(bool down) {
  FDown = down;
  Invalidate();
}

void TSpeedButton::MouseDown(int, int) {
  FPressed = true;
  Invalidate();
}

void TSpeedButton::MouseUp(int x, int y) {
  if (!FPressed) return;
  FPressed = false;
  Invalidate();
  TControl::MouseUp(x, y);
}

void TSpeedButton::CancelMode() {
  if (!FPressed) return;
  FPressed = false;
  Invalidate();
}

void TBevel::Paint(TCanvas& canvas) {
  RECT rect = ClientRect();
  DrawEdge(canvas.Handle(), &rect, BDR_SUNKENOUTER, BF_BOTTOM);
}

bool TImage::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Picture.Jpeg") return LoadJpegResource(FPicture, PropString(value).c_str()), Invalidate(), true;
  return TControl::SetProperty(name, value);
}

void TImage::Paint(TCanvas& canvas) { canvas.Draw(0, 0, FScaled.At(FPicture, 1, PixelsPerInch(), false)); }

namespace {

constexpr const wchar_t* kBevelCuts[] = {L"bvNone", L"bvLowered", L"bvRaised"};

}  // namespace

void TPanel::SetBevelOuter(TBevelCut bevel) {
  FBevelOuter = bevel;
  Invalidate();
}

bool TPanel::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"BevelOuter") return SetBevelOuter(PropEnum<TBevelCut>(value, kBevelCuts)), true;
  return TCustomControl::SetProperty(name, value);
}

void TPanel::Paint(TCanvas& canvas) {
  RECT rect = ClientRect();
  canvas.Brush().SetColor(FColor);
  canvas.FillRect(rect);
  if (FBevelOuter != bvNone) DrawEdge(canvas.Handle(), &rect, FBevelOuter == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
  if (!FEnabled) canvas.Font().SetColor(SystemColor(COLOR_GRAYTEXT));
  canvas.DrawText(FText, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

namespace {

// Never destroyed: timers that the application object frees at the program's end still leave it.
std::map<UINT_PTR, TTimer*>& RunningTimers() {
  static auto& timers = *new std::map<UINT_PTR, TTimer*>;
  return timers;
}

}  // namespace

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
  FEnabled = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned milliseconds) {
  FInterval = milliseconds;
  UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& handler) {
  FOnTimer = handler;
  UpdateTimer();
}

// A timer runs only while it is enabled, has an interval and a handler; every
// change starts it afresh.
void TTimer::UpdateTimer() {
  if (FId) {
    KillTimer(nullptr, FId);
    RunningTimers().erase(FId);
    FId = 0;
  }
  if (!FEnabled || FInterval == 0 || !FOnTimer || (ComponentState() & csLoading)) return;
  FId = SetTimer(nullptr, 0, FInterval, TimerProc);
  if (!FId) throw Exception(L"Not enough timers available");
  RunningTimers()[FId] = this;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  try {
    auto found = RunningTimers().find(id);
    if (found != RunningTimers().end() && found->second->FOnTimer) found->second->FOnTimer(found->second);
  } catch (...) {
    Application.HandleCurrentException(WM_TIMER);
  }
}

bool TTimer::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Enabled") return SetEnabled(PropBool(value)), true;
  if (name == L"Interval") return SetInterval(static_cast<unsigned>(PropInt(value))), true;
  return TComponent::SetProperty(name, value);
}

bool TTimer::SetEvent(const std::wstring& name, const std::any& handler) {
  if (name != L"OnTimer") return TComponent::SetEvent(name, handler);
  TNotifyEvent event;
  BindEvent(handler, event);
  return SetOnTimer(event), true;
}
