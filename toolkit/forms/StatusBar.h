// The status bar along a form's bottom edge, with panels of fixed widths, or
// one simple panel.
#pragma once

#include "toolkit/core/Collection.h"
#include "toolkit/forms/Controls.h"

class TStatusBar;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  int Width() const { return FWidth; }
  void SetWidth(int width);
  const std::wstring& Text() const { return FText; }
  void SetText(const std::wstring& text);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel bevel);

 private:
  friend class TStatusBar;
  TStatusBar* Bar() const;
  void SetProperty(const TLayoutProperty& property);
  int FWidth = 50;
  std::wstring FText;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
};

class TStatusPanels : public TCollectionOf<TStatusPanel> {
 public:
  explicit TStatusPanels(TStatusBar& bar) : FBar(bar) {}
  TStatusBar& Bar() const { return FBar; }

 private:
  TStatusBar& FBar;
};

class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* owner);
  std::wstring ClassName() const override { return L"TStatusBar"; }
  unsigned Kinds() const override { return ckStatusBar; }
  TStatusPanels& Panels() { return FPanels; }
  bool SizeGrip() const { return FSizeGrip; }
  // The grip is part of the window's style: the window is made again.
  void SetSizeGrip(bool sizeGrip);
  // One panel across the whole bar showing SimpleText; the panels come back when it is off.
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool simple);
  const std::wstring& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::wstring& text);
  // "Panels = < item Width = 200 end ... >"
  bool SetProperty(const std::wstring& name, const TPropValue& value) override;

 protected:
  friend class TStatusPanel;
  void CreateParams(TCreateParams& params) override;
  void InitializeWnd() override;
  // Panel widths are 96-DPI lengths: the parts follow the scale.
  void ApplyScale(int dpi) override;
  void UpdatePanels();
  void UpdatePanelText(int index);
  void UpdateSimple();

 private:
  TStatusPanels FPanels{*this};
  bool FSizeGrip = true;
  bool FSimplePanel = false;
  std::wstring FSimpleText;
};
