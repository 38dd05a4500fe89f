#include "skin/controls/SkinToolButtons.h"

#include "skin/controls/ControlFrames.h"
#include "skin/engine/SkinBoundary.h"
#include "skin/model/SkinDraw.h"

namespace {

// A form skinner draws the faces while its window is skinned (state 1).
constexpr int kFormSkinned = 1;
// The element's NormalColour and MouseOverColour keys: -1 when the skin gave none.
constexpr int32_t kColourNotGiven = -1;

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

// A face that cannot be drawn leaves the bar's own.
void TSkinToolButtons::DrawButton(TToolBar*, TToolButtonDraw& draw) {
  SkinBoundary(L"tool button painting", [&] { DrawFace(draw); });
}

void TSkinToolButtons::DrawFace(TToolButtonDraw& draw) {
  if (FForm && FForm->LifeState() != kFormSkinned) return;
  TDataSkinButton& element = FSkinData.Buttons;
  const int frame = ToolButtonFrame(draw.State);
  if (element.Image.Empty() || frame == 0) return;
  if (frame == 1 && element.NormalColour != kColourNotGiven) draw.Canvas.Font().SetColor(element.NormalColour);
  if (frame == 4 && element.MouseOverColour != kColourNotGiven) draw.Canvas.Font().SetColor(element.MouseOverColour);
  const RECT& bounds = draw.Bounds;
  TMargins margins{element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight};
  std::unique_ptr<TBitmap> face = RenderElement(bounds, element.Image, margins, false, false, 5, frame);
  if (face->Empty()) return;
  HDC dc = draw.Canvas.Handle();
  if (element.Trans)
    DrawTransparent(dc, bounds, *face, kSkinTransparent);
  else
    BitBlt(dc, bounds.left, bounds.top, face->Width(), face->Height(), face->Canvas().Handle(), 0, 0, SRCCOPY);
}
