// The PCM wave format record, laid out byte for byte as the platform's
// WAVEFORMATEX and as it stands in a RIFF WAVE file's format chunk.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct TWaveFormatEx {
  uint16_t wFormatTag;
  uint16_t nChannels;
  uint32_t nSamplesPerSec;
  uint32_t nAvgBytesPerSec;
  uint16_t nBlockAlign;
  uint16_t wBitsPerSample;
  uint16_t cbSize;
};
#pragma pack(pop)

static_assert(sizeof(TWaveFormatEx) == 18);
static_assert(offsetof(TWaveFormatEx, nAvgBytesPerSec) == 8 && offsetof(TWaveFormatEx, cbSize) == 16);

constexpr uint16_t WAVE_FORMAT_PCM_TAG = 1;

// Fills format as uncompressed PCM; block align and bytes per second follow
// from the three values (block align is a 16-bit product, as in the record).
void FillPcmFormat(TWaveFormatEx& format, uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t channels);
