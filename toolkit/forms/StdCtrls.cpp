#include "toolkit/forms/StdCtrls.h"

#include "toolkit/core/Exception.h"

void TLabel::SetTransparent(bool transparent) {
  FTransparent = transparent;
  Invalidate();
}

bool TLabel::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"AutoSize") return FAutoSize = PropBool(value), AdjustBounds(), true;
  if (name == L"Transparent") return SetTransparent(PropBool(value)), true;
  return TControl::SetProperty(name, value);
}

std::optional<TPropValue> TLabel::GetProperty(const std::wstring& name) const {
  if (name == L"Transparent") return BoolProp(FTransparent);
  return TControl::GetProperty(name);
}

void TLabel::Paint(TCanvas& canvas) {
  RECT rect = ClientRect();
  if (!FTransparent) {
    canvas.Brush().SetColor(FParent ? FParent->Color() : FColor);
    canvas.FillRect(rect);
  }
  if (!FEnabled) canvas.Font().SetColor(SystemColor(COLOR_GRAYTEXT));
  canvas.DrawText(FText, rect, DT_EXPANDTABS | DT_NOPREFIX);
}

void TLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

// Multi-line texts (a hint with line breaks) make the label taller and wider.
void TLabel::AdjustBounds() {
  if (!FAutoSize || (ComponentState() & csLoading)) return;
  TMemoryDCHandle dc(CreateCompatibleDC(nullptr));
  TCanvas canvas(dc.Get());
  canvas.Font().Assign(FFont);
  RECT rect{0, 0, 0, 0};
  std::wstring text = FText.empty() ? L" " : FText;
  canvas.DrawText(text, rect, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  TControl::SetBounds(Left(), Top(), FText.empty() ? 0 : rect.right, rect.bottom);
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = L"BUTTON";
  params.Style |= (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TButton::SetDefault(bool isDefault) {
  FDefault = isDefault;
  if (HandleAllocated() && (GetWindowLongPtrW(FHandle, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON)
    SendMessageW(FHandle, BM_SETSTYLE, FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool TButton::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Default") return SetDefault(PropBool(value)), true;
  if (name == L"Cancel") return SetCancel(PropBool(value)), true;
  return TWinControl::SetProperty(name, value);
}

void TButton::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) return Click();
  TWinControl::WndProc(message);
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  FColor = clWindow;
  FParentColor = false;
}

void TEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = L"EDIT";
  params.Style |= ES_AUTOHSCROLL | WS_TABSTOP;
  params.ExStyle = WS_EX_CLIENTEDGE;
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  FColor = clWindow;
  FParentColor = false;
}

const std::wstring& TComboBox::Item(int index) const {
  if (index < 0 || index >= ItemCount()) throw EListError(index);
  return FItems[static_cast<size_t>(index)];
}

void TComboBox::AddItem(const std::wstring& text) {
  FItems.push_back(text);
  if (FHandle) SendMessageW(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboBox::ClearItems() {
  FItems.clear();
  FItemIndex = -1;
  if (FHandle) SendMessageW(FHandle, CB_RESETCONTENT, 0, 0);
}

int TComboBox::ItemIndex() const {
  if (FHandle) return static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
  return FItemIndex;
}

void TComboBox::SetItemIndex(int index) {
  FItemIndex = index >= 0 && index < ItemCount() ? index : -1;
  if (FHandle) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  if (FItemIndex >= 0) FText = FItems[static_cast<size_t>(FItemIndex)];
}

bool TComboBox::SetEvent(const std::wstring& name, const std::any& handler) {
  if (name == L"OnChange") return BindEvent(handler, FOnChange);
  return TWinControl::SetEvent(name, handler);
}

std::optional<TPropValue> TComboBox::GetProperty(const std::wstring& name) const {
  if (name == L"ItemIndex") return int64_t(ItemIndex());
  return TWinControl::GetProperty(name);
}

void TComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = L"COMBOBOX";
  params.Style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

// The window's height includes the drop-down list; the edit part keeps its own.
void TComboBox::InitializeWnd() {
  MoveWindow(FHandle, Left(), Top(), Width(), 200, FALSE);
  for (const std::wstring& item : FItems) SendMessageW(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (FItemIndex >= 0) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  else SetWindowTextW(FHandle, FText.c_str());
}

void TComboBox::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == CBN_SELCHANGE) {
    FItemIndex = ItemIndex();
    if (FOnChange) FOnChange(this);
    return;
  }
  TWinControl::WndProc(message);
}

void TGroupBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = L"BUTTON";
  params.Style |= BS_GROUPBOX;
}

void TGroupBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    // A group box lets mouse messages fall through to its parent; ours keeps
    // them, so the windowless controls inside it can be clicked.
    case WM_NCHITTEST:
      message.Result = HTCLIENT;
      return;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return;
    default:
      TWinControl::WndProc(message);
  }
}

bool TBitBtn::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (FGlyph.SetProperty(name, value)) return Invalidate(), true;
  return TButton::SetProperty(name, value);
}

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.Style |= BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& message) {
  if (message.Msg == CN_DRAWITEM) {
    DrawButton(*reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam));
    message.Result = TRUE;
    return;
  }
  // An owner-drawn button would otherwise be repainted on double clicks only.
  if (message.Msg == WM_LBUTTONDBLCLK) message.Msg = WM_LBUTTONDOWN;
  TButton::WndProc(message);
}

void TBitBtn::DrawButton(const DRAWITEMSTRUCT& draw) {
  bool pressed = (draw.itemState & ODS_SELECTED) != 0;
  bool disabled = (draw.itemState & ODS_DISABLED) != 0;
  RECT rect = draw.rcItem;
  DrawFrameControl(draw.hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u));
  TCanvas canvas(draw.hDC);
  canvas.Font().Assign(FFont);
  if (disabled) canvas.Font().SetColor(SystemColor(COLOR_GRAYTEXT));
  RECT face = draw.rcItem;
  if (pressed) OffsetRect(&face, 1, 1);  // the face looks pushed in
  FGlyph.Paint(canvas, face, FText, disabled ? gsDisabled : pressed ? gsPressed : gsNormal, PixelsPerInch());
  if (draw.itemState & ODS_FOCUS) {
    InflateRect(&rect, -4, -4);
    DrawFocusRect(draw.hDC, &rect);
  }
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {}

namespace {

constexpr const wchar_t* kCheckBoxStates[] = {L"cbUnchecked", L"cbChecked", L"cbGrayed"};

}  // namespace

TCheckBoxState TCheckBox::State() const {
  if (!FHandle) return FState;
  LRESULT check = SendMessageW(FHandle, BM_GETCHECK, 0, 0);
  return check == BST_CHECKED ? cbChecked : check == BST_INDETERMINATE ? cbGrayed : cbUnchecked;
}

void TCheckBox::SetState(TCheckBoxState state) {
  FState = state;
  constexpr WPARAM kChecks[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, kChecks[state], 0);
}

void TCheckBox::SetAllowGrayed(bool allowGrayed) {
  if (allowGrayed == FAllowGrayed) return;
  FAllowGrayed = allowGrayed;
  RecreateWnd();
}

bool TCheckBox::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Checked") return SetChecked(PropBool(value)), true;
  if (name == L"State") return SetState(PropEnum<TCheckBoxState>(value, kCheckBoxStates)), true;
  if (name == L"AllowGrayed") return SetAllowGrayed(PropBool(value)), true;
  return TWinControl::SetProperty(name, value);
}

std::optional<TPropValue> TCheckBox::GetProperty(const std::wstring& name) const {
  if (name == L"Checked") return BoolProp(Checked());
  if (name == L"State") return TLayoutIdent{kCheckBoxStates[State()]};
  return TWinControl::GetProperty(name);
}

void TCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = L"BUTTON";
  params.Style |= (FAllowGrayed ? BS_AUTO3STATE : BS_AUTOCHECKBOX) | WS_TABSTOP;
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TCheckBox::InitializeWnd() { SetState(FState); }

// The window keeps the state, and it is kept here too for a window made again.
void TCheckBox::WndProc(TMessage& message) {
  if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
    FState = State();
    return Click();
  }
  if (message.Msg == WM_DESTROY) FState = State();
  TWinControl::WndProc(message);
}
