#include "skin/controls/SkinToolBar.h"

#include <commctrl.h>

#include "skin/controls/SkinToolButtons.h"
#include "skin/controls/TrackBarDraw.h"

// The notification comes reflected (CN_NOTIFY). Every button is offered to
// the skin; one whose state has a face of the skin's keeps the platform's
// edges and background off.
bool TSkinToolBar::BeforeMessage(TMessage& message) {
  if (message.Msg != CN_NOTIFY) return TSkinControl::BeforeMessage(message);
  auto& draw = *reinterpret_cast<NMTBCUSTOMDRAW*>(message.LParam);
  if (draw.nmcd.hdr.hwndFrom != FWindow || !IsCustomDrawNotification(message.Msg, int(draw.nmcd.hdr.code)))
    return true;
  message.Result = CDRF_DODEFAULT;
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
    message.Result = CDRF_NOTIFYITEMDRAW;
  } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
    try {
      const int frame = DrawToolButtonFace(draw.nmcd.hdc, draw.nmcd.rc, *Skin().Buttons, draw.nmcd.uItemState);
      if (frame != 0) message.Result = TBCDRF_NOEDGES | TBCDRF_NOBACKGROUND;
      const int32_t colour = ToolButtonTextColour(*FSkinData, frame);
      if (colour != kNoToolButtonColour) draw.clrText = ColorToRGB(colour);
    } catch (...) {
      // The skin never reports: the button keeps the platform's face this time.
    }
  }
  return false;
}
