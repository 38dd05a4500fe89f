// The old-style tab set: a row of tabs the control draws itself, each as
// wide as its text and 9 pixels more, from StartMargin to EndMargin; when
// they do not all fit, its scroller (its first component, a pair of arrows
// at the right end) moves the first tab shown.
#pragma once

#include <string>
#include <vector>

#include "toolkit/forms/Controls.h"

class TTabSet;

// The tab set's arrows: the platform's up-down control, laid on its side.
class TTabScroller : public TWinControl {
 public:
  explicit TTabScroller(TTabSet* tabSet);
  std::wstring ClassName() const override { return L"TTabScroller"; }
  void SetRange(int count, int first);

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  TTabSet& FTabSet;
};

class TTabSet : public TCustomControl {
 public:
  explicit TTabSet(TComponent* owner);
  std::wstring ClassName() const override { return L"TTabSet"; }
  int TabCount() const { return static_cast<int>(FTabs.size()); }
  const std::wstring& Tab(int index) const { return FTabs.at(static_cast<size_t>(index)); }
  void SetTabs(const std::vector<std::wstring>& tabs);
  int TabIndex() const { return FTabIndex; }
  void SetTabIndex(int index);
  // The first tab shown.
  int FirstIndex() const { return FFirstIndex; }
  void SetFirstIndex(int index);
  int StartMargin() const { return FStartMargin; }
  int EndMargin() const { return FEndMargin; }
  TTabScroller& Scroller() { return *FScroller; }
  // The tabs drawn now, from FirstIndex on, in client coordinates.
  std::vector<RECT> TabRects();
  void SetBounds(int left, int top, int width, int height) override;
  // "Tabs" takes the tabs' texts with "\n" between them.
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;
  bool SetEvent(const std::wstring& name, const std::any& handler) override;

 protected:
  void Paint(TCanvas& canvas) override;
  void WndProc(TMessage& message) override;
  void InitializeWnd() override { ArrangeScroller(); }

 private:
  // The scroller shows, at the right end, while not every tab fits.
  void ArrangeScroller();

  TTabScroller* FScroller;
  std::vector<std::wstring> FTabs;
  int FTabIndex = -1;
  int FFirstIndex = 0;
  int FStartMargin = 5;
  int FEndMargin = 5;
  TNotifyEvent FOnChange;
};
