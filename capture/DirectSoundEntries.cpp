#include "capture/DirectSoundEntries.h"

#include <utility>

#include "capture/DXClass.h"

namespace {

TDirectXEntrySource entrySource = &LoadDirectXEntry;

template <typename Entry>
Entry DirectSoundEntry(const char* entryName) {
  return reinterpret_cast<Entry>(reinterpret_cast<void*>(entrySource(L"DSound.dll", entryName)));
}

}  // namespace

TDirectXEntrySource SetDirectXEntrySource(TDirectXEntrySource source) {
  return std::exchange(entrySource, source);
}

HRESULT CallDirectSoundCaptureCreate(const GUID* deviceGuid, TComRef<IDirectSoundCapture>& device) {
  IDirectSoundCapture** out = device.ClearedAddress();
  try {
    auto create = DirectSoundEntry<TDirectSoundCaptureCreate>("DirectSoundCaptureCreate");
    return create(deviceGuid, out, nullptr);
  } catch (...) {
    throw EDirectXError();
  }
}

HRESULT CallDirectSoundCaptureEnumerateA(LPDSENUMCALLBACKA callback, void* context) {
  try {
    auto enumerate = DirectSoundEntry<TDirectSoundCaptureEnumerateA>("DirectSoundCaptureEnumerateA");
    return enumerate(callback, context);
  } catch (...) {
    throw EDirectXError();
  }
}
