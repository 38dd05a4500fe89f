#include "capture/SoundCaptureFormat.h"

namespace {

// 33075 Hz rather than 32000 Hz: the rates devices of this kind are asked for.
constexpr uint32_t kCandidateRates[] = {8000, 11025, 22050, 33075, 44100, 48000, 96000};
constexpr uint16_t kCandidateWidths[] = {8, 16, 24, 32};
constexpr uint16_t kCandidateChannels[] = {1, 2};

bool DeviceAccepts(IDirectSoundCapture& device, uint32_t rate, uint16_t width, uint16_t channels) {
  TWaveFormatEx format{};
  FillPcmFormat(format, rate, width, channels);
  TComRef<IDirectSoundCaptureBuffer> buffer;
  return CreateCaptureBuffer(device, format, format.nAvgBytesPerSec, buffer) == 0;
}

}  // namespace

void ProbeCaptureFormats(IDirectSoundCapture& device, TSoundCaptureFormats& formats) {
  for (uint32_t rate : kCandidateRates)
    for (uint16_t width : kCandidateWidths)
      for (uint16_t channels : kCandidateChannels) {
        if (!DeviceAccepts(device, rate, width, channels)) continue;
        TSoundCaptureFormat& format = formats.Add();
        format.SamplesPerSec = static_cast<int32_t>(rate);
        format.BitsPerSample = width;
        format.Channels = channels;
      }
}

int TSoundCaptureFormats::IndexOf(int32_t samplesPerSec, int32_t bitsPerSample, int32_t channels) const {
  for (int i = 0; i < Count(); ++i) {
    const TSoundCaptureFormat& format = Items(i);
    if (format.SamplesPerSec == samplesPerSec && format.BitsPerSample == bitsPerSample && format.Channels == channels)
      return i;
  }
  return -1;
}
