// Tab controls: the platform's tab strip with tabs of text (TTabControl),
// and the page control, whose tabs are its pages (TTabSheet), of which the
// chosen one shows.
#pragma once

#include <string>
#include <vector>

#include "toolkit/forms/Controls.h"

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

class TCustomTabControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  ~TCustomTabControl() override { BeforeDestruction(); }
  int TabCount() const { return static_cast<int>(FTabs.size()); }
  // Read from the window once it exists: the user changes it there; -1 for none.
  int TabIndex() const;
  void SetTabIndex(int index);
  TTabPosition TabPosition() const { return FTabPosition; }
  // Part of the window's style: the window is made again.
  void SetTabPosition(TTabPosition position);
  // Where the pages go, in client coordinates.
  RECT DisplayRect() const;
  // Raised when the user chooses another tab.
  void SetOnChange(const TNotifyEvent& handler) { FOnChange = handler; }
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;
  bool SetEvent(const std::wstring& name, const std::any& handler) override;

 protected:
  void SetTabs(const std::vector<std::wstring>& tabs);
  void SetTabText(int index, const std::wstring& text);
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;
  // The chosen tab changed, by the user or by SetTabIndex.
  virtual void TabChanged();

 private:
  void InsertTab(int index);

  std::vector<std::wstring> FTabs;
  int FTabIndex = 0;
  TTabPosition FTabPosition = tpTop;
  TNotifyEvent FOnChange;
};

class TTabControl : public TCustomTabControl {
 public:
  using TCustomTabControl::TCustomTabControl;
  std::wstring ClassName() const override { return L"TTabControl"; }
  unsigned Kinds() const override { return ckTabControl; }
  // "Tabs" takes the tabs' texts with "\n" between them.
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
};

class TPageControl;

// One page of a page control: its caption is its tab's text.
class TTabSheet : public TWinControl {
 public:
  using TWinControl::TWinControl;
  ~TTabSheet() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TTabSheet"; }
  unsigned Kinds() const override { return ckContainer; }
  TPageControl* PageControl() const;
  void SetParent(TWinControl* parent) override;

 protected:
  void TextChanged() override;
  void Destroying() override;
};

class TPageControl : public TCustomTabControl {
 public:
  using TCustomTabControl::TCustomTabControl;
  std::wstring ClassName() const override { return L"TPageControl"; }
  unsigned Kinds() const override { return ckPageControl; }
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const { return FPages.at(static_cast<size_t>(index)); }
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void PageTextChanged(TTabSheet* page);
  void InitializeWnd() override;
  void TabChanged() override;

 private:
  // Each page fills the display area; only the chosen one shows.
  void ArrangePages();

  std::vector<TTabSheet*> FPages;
};
