#include "toolkit/forms/ToolBar.h"

#include <algorithm>

namespace {

constexpr const wchar_t* kToolButtonStyles[] = {L"tbsButton", L"tbsCheck", L"tbsSeparator"};
// Button i has the command number kFirstCommand + i.
constexpr int kFirstCommand = 100;

}  // namespace

void TToolButton::Click() {
  if (FOnClick) FOnClick(this);
}

void TToolButton::SetParentComponent(TComponent* parent) {
  if (auto* bar = dynamic_cast<TToolBar*>(parent)) bar->AddButton(this);
}

void TToolButton::Destroying() {
  if (FToolBar) FToolBar->RemoveButton(this);
  TComponent::Destroying();
}

bool TToolButton::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Caption") FCaption = PropString(value);
  else if (name == L"Style") FStyle = PropEnum<TToolButtonStyle>(value, kToolButtonStyles);
  else if (name == L"Enabled") FEnabled = PropBool(value);
  else if (name == L"Down") FDown = PropBool(value);
  else return TComponent::SetProperty(name, value);
  if (FToolBar) FToolBar->RebuildButtons();
  return true;
}

bool TToolButton::SetEvent(const std::wstring& name, const std::any& handler) {
  if (name == L"OnClick") return BindEvent(handler, FOnClick);
  return TComponent::SetEvent(name, handler);
}

void TToolBar::AddButton(TToolButton* button) {
  button->FToolBar = this;
  FButtons.push_back(button);
  InsertButton(ButtonCount() - 1);
}

void TToolBar::RemoveButton(TToolButton* button) {
  button->FToolBar = nullptr;
  FButtons.erase(std::remove(FButtons.begin(), FButtons.end(), button), FButtons.end());
  if (!(ComponentState() & csDestroying)) RebuildButtons();
}

void TToolBar::Destroying() {
  for (TToolButton* button : FButtons) button->FToolBar = nullptr;
  FButtons.clear();
  TWinControl::Destroying();
}

void TToolBar::SetFlat(bool flat) {
  FFlat = flat;
  UpdateStyle();
}

void TToolBar::SetTransparent(bool transparent) {
  FTransparent = transparent;
  UpdateStyle();
}

void TToolBar::SetOnCustomDrawButton(const TToolButtonDrawEvent& handler) {
  FOnCustomDrawButton = handler;
  Invalidate();
}

void TToolBar::UpdateStyle() {
  if (!FHandle) return;
  auto style = static_cast<DWORD>(SendMessageW(FHandle, TB_GETSTYLE, 0, 0));
  style = (style & ~DWORD(TBSTYLE_FLAT | TBSTYLE_TRANSPARENT)) | (FFlat ? TBSTYLE_FLAT : 0) |
          (FTransparent ? TBSTYLE_TRANSPARENT : 0);
  SendMessageW(FHandle, TB_SETSTYLE, 0, LPARAM(style));
  Invalidate();
}

bool TToolBar::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Flat") return SetFlat(PropBool(value)), true;
  if (name == L"Transparent") return SetTransparent(PropBool(value)), true;
  return TWinControl::SetProperty(name, value);
}

std::optional<TPropValue> TToolBar::GetProperty(const std::wstring& name) const {
  if (name == L"Flat") return BoolProp(FFlat);
  if (name == L"Transparent") return BoolProp(FTransparent);
  return TWinControl::GetProperty(name);
}

void TToolBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = TOOLBARCLASSNAMEW;
  params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_LIST | (FFlat ? TBSTYLE_FLAT : 0) |
                  (FTransparent ? TBSTYLE_TRANSPARENT : 0);
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TToolBar::InitializeWnd() {
  SendMessageW(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(FHandle, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  for (int i = 0; i < ButtonCount(); ++i) InsertButton(i);
}

void TToolBar::InsertButton(int index) {
  if (!FHandle) return;
  TToolButton& source = *FButtons[static_cast<size_t>(index)];
  TBBUTTON button{};
  button.iBitmap = I_IMAGENONE;
  button.idCommand = kFirstCommand + index;
  button.fsState = BYTE((source.FEnabled ? TBSTATE_ENABLED : 0) | (source.FDown ? TBSTATE_CHECKED : 0));
  if (source.FStyle == tbsSeparator)
    button.fsStyle = BTNS_SEP;
  else
    button.fsStyle = BYTE(BTNS_AUTOSIZE | BTNS_SHOWTEXT | (source.FStyle == tbsCheck ? BTNS_CHECK : BTNS_BUTTON));
  button.iString = reinterpret_cast<INT_PTR>(source.FCaption.c_str());
  SendMessageW(FHandle, TB_INSERTBUTTONW, WPARAM(index), reinterpret_cast<LPARAM>(&button));
}

void TToolBar::RebuildButtons() {
  if (!FHandle) return;
  while (SendMessageW(FHandle, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(FHandle, TB_DELETEBUTTON, 0, 0);
  for (int i = 0; i < ButtonCount(); ++i) InsertButton(i);
}

void TToolBar::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND) {
    int index = LOWORD(message.WParam) - kFirstCommand;
    if (index >= 0 && index < ButtonCount()) FButtons[static_cast<size_t>(index)]->Click();
    return;
  }
  if (message.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(message.LParam)->code == UINT(NM_CUSTOMDRAW)) {
    message.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(message.LParam));
    return;
  }
  TWinControl::WndProc(message);
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& draw) {
  if (!FOnCustomDrawButton) return CDRF_DODEFAULT;
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  int index = int(draw.nmcd.dwItemSpec) - kFirstCommand;
  if (index < 0 || index >= ButtonCount()) return CDRF_DODEFAULT;
  TCanvas canvas(draw.nmcd.hdc);
  canvas.Font().Assign(FFont);
  TToolButtonDraw button{FButtons[static_cast<size_t>(index)], draw.nmcd.uItemState, draw.nmcd.rc, canvas};
  FOnCustomDrawButton(this, button);
  if (!button.DefaultDraw) return CDRF_SKIPDEFAULT;
  draw.clrText = ColorToRGB(canvas.Font().Color());
  return CDRF_DODEFAULT | TBCDRF_NOEDGES | TBCDRF_NOBACKGROUND;
}
