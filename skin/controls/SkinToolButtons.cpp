#include "skin/controls/SkinToolButtons.h"

#include "skin/controls/ControlFrames.h"
#include "skin/engine/SkinBoundary.h"
#include "skin/model/SkinDraw.h"
#include "toolkit/platform/DisplayDpi.h"

namespace {

// A form skinner draws the faces while its window is skinned (state 1).
constexpr int kFormSkinned = 1;

}  // namespace

TSkinToolButtons::TSkinToolButtons(TComponent* owner, TToolBar& bar, TSkinData& skinData, TSkinFormLink* form)
    : TComponent(owner), FBar(&bar), FSkinData(skinData), FForm(form) {
  FBar->FreeNotification(this);
  FBar->SetOnCustomDrawButton(TToolButtonDrawEvent::Of<&TSkinToolButtons::DrawButton>(*this));
}

void TSkinToolButtons::Destroying() {
  if (FBar && FBar->OnCustomDrawButton() == TToolButtonDrawEvent::Of<&TSkinToolButtons::DrawButton>(*this))
    FBar->SetOnCustomDrawButton({});
  TComponent::Destroying();
}

void TSkinToolButtons::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FBar) FBar = nullptr;
}

int DrawToolButtonFace(HDC dc, const RECT& bounds, TDataSkinButton& element, uint32_t itemState) {
  const int frame = ToolButtonFrame(itemState);
  if (element.Image.Empty() || frame == 0) return 0;
  TMargins margins{element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight};
  std::unique_ptr<TBitmap> face = RenderElement(bounds, element.Image, margins, false, false, 5, frame);
  if (face->Empty()) return 0;
  if (element.Trans)
    DrawTransparent(dc, bounds, *face, kSkinTransparent);
  else
    BitBlt(dc, bounds.left, bounds.top, face->Width(), face->Height(), face->Canvas().Handle(), 0, 0, SRCCOPY);
  return frame;
}

int32_t ToolButtonTextColour(const TSkinData& skinData, int frame) {
  if (frame == 1) return skinData.Buttons.NormalColour;
  if (frame == 4) return skinData.Buttons.MouseOverColour;
  return kNoToolButtonColour;
}

// A face that cannot be drawn leaves the bar's own.
void TSkinToolButtons::DrawButton(TToolBar*, TToolButtonDraw& draw) {
  SkinBoundary(L"tool button painting", [&] { DrawFace(draw); });
}

void TSkinToolButtons::DrawFace(TToolButtonDraw& draw) {
  if (FForm && FForm->LifeState() != kFormSkinned) return;
  const int dpi = FForm && FForm->ControlDpi() > 0 ? FForm->ControlDpi() : WindowDpi(FBar ? FBar->Handle() : nullptr);
  TDataSkinButton& face = *FSkinData.ControlSkinAt(dpi).Buttons;
  const int frame = DrawToolButtonFace(draw.Canvas.Handle(), draw.Bounds, face, draw.State);
  const int32_t colour = ToolButtonTextColour(FSkinData, frame);
  if (colour != kNoToolButtonColour) draw.Canvas.Font().SetColor(colour);
}
