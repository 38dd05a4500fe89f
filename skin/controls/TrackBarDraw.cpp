#include "skin/controls/TrackBarDraw.h"

#include "skin/controls/PlatformValues.h"

bool IsCustomDrawNotification(uint32_t msg, int code) {
  return (msg == kWmNotify || msg == kCnNotify) && code == kNmCustomDraw;
}

TCustomDrawAnswer TrackBarCustomDraw(uint32_t drawStage, uintptr_t itemSpec) {
  if (drawStage == kCddsPrePaint) return {kCdrfNotifyItemDraw, false};
  if (drawStage == kCddsItemPrePaint && itemSpec == kTbcdThumb) return {kCdrfSkipDefault, true};
  return {kCdrfDoDefault, false};
}

TTrackThumbImage TrackThumbImage(uint32_t style, bool hasVerticalImage) {
  return (style & kTbsVert) && hasVerticalImage ? ttVertical : ttHorizontal;
}
