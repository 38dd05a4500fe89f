#include "capture/DirectX.h"

namespace {

// KSDATAFORMAT_SUBTYPE_PCM, spelled out so that no GUID library is needed.
constexpr GUID kPcmSubFormat{0x00000001, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr uint16_t kWidestPlainPcmBits = 16;

HRESULT CreateWithRecord(IDirectSoundCapture& device, WAVEFORMATEX* record, uint32_t bufferBytes,
                         TComRef<IDirectSoundCaptureBuffer>& buffer) {
  DSCBUFFERDESC description{};
  description.dwSize = sizeof(DSCBUFFERDESC);
  description.dwFlags = 0;
  description.dwBufferBytes = bufferBytes;
  description.dwReserved = 0;
  description.lpwfxFormat = record;
  return device.CreateCaptureBuffer(&description, buffer.ClearedAddress(), nullptr);
}

}  // namespace

WAVEFORMATEXTENSIBLE ExtensiblePcmFormat(const TWaveFormatEx& format) {
  WAVEFORMATEXTENSIBLE extensible{};
  extensible.Format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
  extensible.Format.nChannels = format.nChannels;
  extensible.Format.nSamplesPerSec = format.nSamplesPerSec;
  extensible.Format.nAvgBytesPerSec = format.nAvgBytesPerSec;
  extensible.Format.nBlockAlign = format.nBlockAlign;
  extensible.Format.wBitsPerSample = format.wBitsPerSample;
  extensible.Format.cbSize = sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX);
  extensible.Samples.wValidBitsPerSample = format.wBitsPerSample;
  extensible.dwChannelMask = format.nChannels == 1 ? SPEAKER_FRONT_CENTER : SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT;
  extensible.SubFormat = kPcmSubFormat;
  return extensible;
}

HRESULT CreateCaptureBuffer(IDirectSoundCapture& device, TWaveFormatEx& format, uint32_t bufferBytes,
                            TComRef<IDirectSoundCaptureBuffer>& buffer) {
  HRESULT result = CreateWithRecord(device, reinterpret_cast<WAVEFORMATEX*>(&format), bufferBytes, buffer);
  if (result == 0 || format.wBitsPerSample <= kWidestPlainPcmBits) return result;
  WAVEFORMATEXTENSIBLE extensible = ExtensiblePcmFormat(format);
  return CreateWithRecord(device, &extensible.Format, bufferBytes, buffer);
}
