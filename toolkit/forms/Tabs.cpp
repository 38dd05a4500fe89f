#include "toolkit/forms/Tabs.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr const wchar_t* kTabPositions[] = {L"tpTop", L"tpBottom", L"tpLeft", L"tpRight"};

}  // namespace

int TCustomTabControl::TabIndex() const {
  if (FHandle) return int(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
  return FTabIndex;
}

void TCustomTabControl::SetTabIndex(int index) {
  FTabIndex = index;
  if (FHandle) SendMessageW(FHandle, TCM_SETCURSEL, WPARAM(index), 0);
  TabChanged();
}

void TCustomTabControl::SetTabPosition(TTabPosition position) {
  if (position == FTabPosition) return;
  FTabPosition = position;
  RecreateWnd();
}

RECT TCustomTabControl::DisplayRect() const {
  RECT rect = ClientRect();
  if (FHandle) SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void TCustomTabControl::SetTabs(const std::vector<std::wstring>& tabs) {
  FTabs = tabs;
  if (!FHandle) return;
  SendMessageW(FHandle, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < TabCount(); ++i) InsertTab(i);
  SendMessageW(FHandle, TCM_SETCURSEL, WPARAM(FTabIndex), 0);
}

void TCustomTabControl::SetTabText(int index, const std::wstring& text) {
  FTabs.at(static_cast<size_t>(index)) = text;
  if (!FHandle) return;
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = FTabs[static_cast<size_t>(index)].data();
  SendMessageW(FHandle, TCM_SETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
}

void TCustomTabControl::InsertTab(int index) {
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.iImage = -1;
  item.pszText = FTabs[static_cast<size_t>(index)].data();
  SendMessageW(FHandle, TCM_INSERTITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
}

void TCustomTabControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = WC_TABCONTROLW;
  params.Style |= WS_TABSTOP;
  constexpr DWORD kPositionStyles[] = {0, TCS_BOTTOM, TCS_VERTICAL | TCS_MULTILINE,
                                       TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE};
  params.Style |= kPositionStyles[FTabPosition];
}

void TCustomTabControl::InitializeWnd() { SetTabs(FTabs); }

void TCustomTabControl::WndProc(TMessage& message) {
  if (message.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(message.LParam)->code == UINT(TCN_SELCHANGE)) {
    FTabIndex = TabIndex();
    TabChanged();
    return;
  }
  TWinControl::WndProc(message);
}

void TCustomTabControl::TabChanged() {
  if (FOnChange) FOnChange(this);
}

bool TCustomTabControl::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"TabPosition") return SetTabPosition(PropEnum<TTabPosition>(value, kTabPositions)), true;
  if (name == L"TabIndex") return SetTabIndex(int(PropInt(value))), true;
  return TWinControl::SetProperty(name, value);
}

std::optional<TPropValue> TCustomTabControl::GetProperty(const std::wstring& name) const {
  if (name == L"TabIndex") return int64_t(TabIndex());
  return TWinControl::GetProperty(name);
}

bool TCustomTabControl::SetEvent(const std::wstring& name, const std::any& handler) {
  if (name == L"OnChange") return BindEvent(handler, FOnChange);
  return TWinControl::SetEvent(name, handler);
}

bool TTabControl::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Tabs") return SetTabs(PropLines(value)), true;
  return TCustomTabControl::SetProperty(name, value);
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetParent(TWinControl* parent) {
  if (TPageControl* pages = PageControl()) pages->RemovePage(this);
  TWinControl::SetParent(parent);
  if (TPageControl* pages = PageControl()) pages->InsertPage(this);
}

void TTabSheet::TextChanged() {
  TWinControl::TextChanged();
  if (TPageControl* pages = PageControl()) pages->PageTextChanged(this);
}

void TTabSheet::Destroying() {
  if (TPageControl* pages = PageControl()) pages->RemovePage(this);
  TWinControl::Destroying();
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  std::vector<std::wstring> tabs;
  for (TTabSheet* sheet : FPages) tabs.push_back(sheet->Text());
  SetTabs(tabs);
  ArrangePages();
}

void TPageControl::RemovePage(TTabSheet* page) {
  FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
  if (ComponentState() & csDestroying) return;
  std::vector<std::wstring> tabs;
  for (TTabSheet* sheet : FPages) tabs.push_back(sheet->Text());
  SetTabs(tabs);
}

void TPageControl::PageTextChanged(TTabSheet* page) {
  auto found = std::find(FPages.begin(), FPages.end(), page);
  if (found != FPages.end()) SetTabText(int(found - FPages.begin()), page->Text());
}

void TPageControl::SetBounds(int left, int top, int width, int height) {
  TCustomTabControl::SetBounds(left, top, width, height);
  ArrangePages();
}

void TPageControl::InitializeWnd() {
  TCustomTabControl::InitializeWnd();
  ArrangePages();
}

void TPageControl::TabChanged() {
  ArrangePages();
  TCustomTabControl::TabChanged();
}

void TPageControl::ArrangePages() {
  const RECT display = DisplayRect();
  const int chosen = TabIndex();
  for (int i = 0; i < PageCount(); ++i) {
    TTabSheet* page = FPages[static_cast<size_t>(i)];
    page->SetBounds(display.left, display.top, display.right - display.left, display.bottom - display.top);
    page->SetVisible(i == chosen);
  }
}
