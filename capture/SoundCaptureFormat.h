// The PCM formats a capture device accepts, and how they are found out.
#pragma once

#include <cstdint>

#include "capture/DirectX.h"
#include "toolkit/core/Collection.h"

class TSoundCaptureFormat : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;

  int32_t BitsPerSample = 0;
  int32_t Channels = 0;
  int32_t SamplesPerSec = 0;
};

class TSoundCaptureFormats : public TCollectionOf<TSoundCaptureFormat> {
 public:
  // The index of the format with these values, or −1 when the device lacks it.
  int IndexOf(int32_t samplesPerSec, int32_t bitsPerSample, int32_t channels) const;
};

// Tries each candidate rate, width and channel count (in that nesting) with a
// one-second buffer and appends those the device accepts to formats.
void ProbeCaptureFormats(IDirectSoundCapture& device, TSoundCaptureFormats& formats);
