// The faces of a tool bar's buttons from the skin's button element, drawn
// through the tool bar's button-drawing event while the skinner that routed
// the event (its owner) lives; the bar draws its captions over them.
#pragma once

#include "skin/controls/SkinFormLink.h"
#include "skin/model/SkinData.h"
#include "toolkit/forms/ToolBar.h"

// Draws a tool button's face for the custom-draw item state bits itemState
// over bounds, from the skin's button element at the bar's scale; answers the
// frame drawn, 0 when the state has none (the bar's own look stays) or the
// skin no image.
int DrawToolButtonFace(HDC dc, const RECT& bounds, TDataSkinButton& element, uint32_t itemState);
// The caption colour the skin's button element gives a face's frame, or
// kNoToolButtonColour when it gives none.
constexpr int32_t kNoToolButtonColour = -1;
int32_t ToolButtonTextColour(const TSkinData& skinData, int frame);

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
