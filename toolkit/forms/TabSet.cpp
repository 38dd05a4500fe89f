#include "toolkit/forms/TabSet.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kTabPadding = 9;
constexpr int kScrollerWidth = 32;
// A tab beside a visible scroller needs room for the scroller's arrows too.
constexpr int kTabRoomBesideScroller = 21;

}  // namespace

TTabScroller::TTabScroller(TTabSet* tabSet) : TWinControl(tabSet), FTabSet(*tabSet) { FVisible = false; }

void TTabScroller::SetRange(int count, int first) {
  if (!FHandle) return;
  SendMessageW(FHandle, UDM_SETRANGE32, 0, LPARAM(std::max(count - 1, 0)));
  SendMessageW(FHandle, UDM_SETPOS32, 0, LPARAM(first));
}

void TTabScroller::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.BaseClass = UPDOWN_CLASSW;
  params.Style |= UDS_HORZ;
  params.ExStyle &= ~WS_EX_CONTROLPARENT;
}

void TTabScroller::WndProc(TMessage& message) {
  if (message.Msg == CN_HSCROLL) return FTabSet.SetFirstIndex(int(SendMessageW(FHandle, UDM_GETPOS32, 0, 0)));
  TWinControl::WndProc(message);
}

// The scroller is the set's first component: it is made before anything else.
TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner), FScroller(new TTabScroller(this)) {
  FScroller->SetParent(this);
}

void TTabSet::SetTabs(const std::vector<std::wstring>& tabs) {
  FTabs = tabs;
  FTabIndex = std::min(FTabIndex, TabCount() - 1);
  FFirstIndex = 0;
  ArrangeScroller();
  Invalidate();
}

void TTabSet::SetTabIndex(int index) {
  if (index < -1 || index >= TabCount() || index == FTabIndex) return;
  FTabIndex = index;
  Invalidate();
  if (FOnChange) FOnChange(this);
}

void TTabSet::SetFirstIndex(int index) {
  FFirstIndex = std::clamp(index, 0, std::max(TabCount() - 1, 0));
  ArrangeScroller();
  Invalidate();
}

std::vector<RECT> TTabSet::TabRects() {
  std::vector<RECT> rects;
  if (FHandle == nullptr && Width() <= 0) return rects;
  TMemoryDCHandle measure(CreateCompatibleDC(nullptr));
  TSelectObject font(measure.Get(), FFont.Handle());
  const int end = Width() - FEndMargin;
  const int room = FScroller->Visible() ? kTabRoomBesideScroller : kTabPadding;
  int x = FStartMargin;
  for (int i = FFirstIndex; i < TabCount(); ++i) {
    SIZE text{};
    const std::wstring& caption = FTabs[static_cast<size_t>(i)];
    GetTextExtentPoint32W(measure.Get(), caption.c_str(), static_cast<int>(caption.size()), &text);
    if (x + text.cx + room > end) break;
    rects.push_back({x, 0, x + text.cx + kTabPadding, Height()});
    x += text.cx + kTabPadding;
  }
  return rects;
}

void TTabSet::ArrangeScroller() {
  FScroller->SetBounds(Width() - kScrollerWidth, 0, kScrollerWidth, Height());
  // Measured without the scroller first: it shows only when the tabs need it.
  FScroller->SetVisible(false);
  const bool overflow = FFirstIndex > 0 || static_cast<int>(TabRects().size()) < TabCount() - FFirstIndex;
  FScroller->SetVisible(overflow);
  FScroller->SetRange(TabCount(), FFirstIndex);
}

void TTabSet::SetBounds(int left, int top, int width, int height) {
  TCustomControl::SetBounds(left, top, width, height);
  ArrangeScroller();
}

// Tabs hang from the top edge, which runs along the page above them; the
// chosen tab joins that page.
void TTabSet::Paint(TCanvas& canvas) {
  RECT client = ClientRect();
  canvas.Brush().SetColor(FColor);
  canvas.FillRect(client);
  HDC dc = canvas.Handle();
  RECT edge{client.left, client.top, client.right, client.top + 2};
  DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_TOP);
  std::vector<RECT> tabs = TabRects();
  for (size_t k = 0; k < tabs.size(); ++k) {
    const int index = FFirstIndex + static_cast<int>(k);
    RECT tab = tabs[k];
    tab.bottom -= 2;
    if (index == FTabIndex) {
      canvas.Brush().SetColor(clWindow);
      canvas.FillRect(tab);
    }
    DrawEdge(dc, &tab, EDGE_RAISED, BF_LEFT | BF_RIGHT | BF_BOTTOM);
    canvas.DrawText(FTabs[static_cast<size_t>(index)], tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void TTabSet::WndProc(TMessage& message) {
  if (message.Msg == WM_LBUTTONDOWN) {
    POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    std::vector<RECT> tabs = TabRects();
    for (size_t k = 0; k < tabs.size(); ++k)
      if (PtInRect(&tabs[k], point)) SetTabIndex(FFirstIndex + static_cast<int>(k));
  }
  TCustomControl::WndProc(message);
}

bool TTabSet::SetProperty(const std::wstring& name, const TPropValue& value) {
  if (name == L"Tabs") return SetTabs(PropLines(value)), true;
  if (name == L"TabIndex") return SetTabIndex(int(PropInt(value))), true;
  if (name == L"StartMargin") return FStartMargin = int(PropInt(value)), Invalidate(), true;
  if (name == L"EndMargin") return FEndMargin = int(PropInt(value)), Invalidate(), true;
  return TCustomControl::SetProperty(name, value);
}

std::optional<TPropValue> TTabSet::GetProperty(const std::wstring& name) const {
  if (name == L"TabIndex") return int64_t(FTabIndex);
  return TCustomControl::GetProperty(name);
}

bool TTabSet::SetEvent(const std::wstring& name, const std::any& handler) {
  if (name == L"OnChange") return BindEvent(handler, FOnChange);
  return TCustomControl::SetEvent(name, handler);
}
