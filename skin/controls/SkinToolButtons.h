// The faces of a tool bar's buttons from the skin's button element, drawn
// through the tool bar's button-drawing event while the skinner that routed
// the event (its owner) lives; the bar draws its captions over them.
#pragma once

#include "skin/controls/SkinFormLink.h"
#include "skin/model/SkinData.h"
#include "toolkit/forms/ToolBar.h"

class TSkinToolButtons : public TComponent {
 public:
  // Takes over bar's button-drawing event until it is freed.
  TSkinToolButtons(TComponent* owner, TToolBar& bar, TSkinData& skinData, TSkinFormLink* form);
  ~TSkinToolButtons() override { BeforeDestruction(); }
  std::wstring ClassName() const override { return L"TSkinToolButtons"; }
  void DrawButton(TToolBar* bar, TToolButtonDraw& draw);

 protected:
  void Destroying() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void DrawFace(TToolButtonDraw& draw);
  TToolBar* FBar;
  TSkinData& FSkinData;
  TSkinFormLink* FForm;
};
