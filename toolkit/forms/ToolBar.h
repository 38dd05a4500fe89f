// The platform's tool bar with buttons of text, and an event that lets its
// owner draw each button's face (custom drawing).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "toolkit/forms/Controls.h"

class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsSeparator };

// One button of a tool bar, nested in the tool bar in a layout.
class TToolButton : public TComponent {
 public:
  explicit TToolButton(TComponent* owner) : TComponent(owner) {}
  ~TToolButton() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TToolButton"; }
  const std::wstring& Caption() const { return FCaption; }
  TToolButtonStyle Style() const { return FStyle; }
  bool Enabled() const { return FEnabled; }
  bool Down() const { return FDown; }
  TToolBar* ToolBar() const { return FToolBar; }
  void SetOnClick(const TNotifyEvent& handler) { FOnClick = handler; }
  void Click();
  void SetParentComponent(TComponent* parent) override;
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  bool SetEvent(const std::wstring& name, const std::any& handler) override;

 protected:
  void Destroying() override;

 private:
  friend class TToolBar;
  std::wstring FCaption;
  TToolButtonStyle FStyle = tbsButton;
  bool FEnabled = true;
  bool FDown = false;
  TToolBar* FToolBar = nullptr;
  TNotifyEvent FOnClick;
};

// One button being drawn: its custom-draw item-state bits (CDIS_...), its
// place, a canvas on the tool bar's context with the bar's font. Leaving
// DefaultDraw on lets the bar draw its text over what the handler drew, in
// the canvas font's colour; the bar draws no edges then.
struct TToolButtonDraw {
  TToolButton* Button;
  UINT State;
  RECT Bounds;
  TCanvas& Canvas;
  bool DefaultDraw = true;
};
using TToolButtonDrawEvent = TMethod<TToolBar*, TToolButtonDraw&>;

class TToolBar : public TWinControl {
 public:
  explicit TToolBar(TComponent* owner) : TWinControl(owner) {}
  ~TToolBar() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TToolBar"; }
  unsigned Kinds() const override { return ckToolBar; }
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TToolButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }
  bool Flat() const { return FFlat; }
  void SetFlat(bool flat);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  const TToolButtonDrawEvent& OnCustomDrawButton() const { return FOnCustomDrawButton; }
  void SetOnCustomDrawButton(const TToolButtonDrawEvent& handler);
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;
  std::optional<TPropValue> GetProperty(const std::wstring& name) const override;

 protected:
  friend class TToolButton;
  void AddButton(TToolButton* button);
  void RemoveButton(TToolButton* button);
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  void WndProc(TMessage& message) override;
  void Destroying() override;

 private:
  void InsertButton(int index);
  void RebuildButtons();
  void UpdateStyle();
  LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);

  std::vector<TToolButton*> FButtons;
  bool FFlat = false;
  bool FTransparent = false;
  TToolButtonDrawEvent FOnCustomDrawButton;
};
