// How a skinned track bar answers the platform's custom drawing: the
// platform draws the tics and the channel, the skinner only the thumb.
#pragma once

#include <cstdint>

// A custom-draw notification, sent to the parent or reflected to the control by the toolkit.
bool IsCustomDrawNotification(uint32_t msg, int code);

struct TCustomDrawAnswer {
  uint32_t Result = 0;
  bool DrawThumb = false;  // draw the skin's thumb before answering
};

// Ask for item notifications before painting; at the thumb's item stage draw
// it and skip the default; leave every other stage and part to the platform.
TCustomDrawAnswer TrackBarCustomDraw(uint32_t drawStage, uintptr_t itemSpec);

enum TTrackThumbImage { ttHorizontal, ttVertical };

// A vertical bar takes the vertical thumb image when the skin has one.
TTrackThumbImage TrackThumbImage(uint32_t style, bool hasVerticalImage);

// The thumb is the second of the image's five cells, stretched to the thumb's rectangle.
constexpr int kTrackThumbCells = 5;
constexpr int kTrackThumbCell = 2;
