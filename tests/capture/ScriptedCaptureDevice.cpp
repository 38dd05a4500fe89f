#include "ScriptedCaptureDevice.h"

#include <algorithm>
#include <cstring>

TScriptedCaptureDevice* TScriptedCaptureDevice::Current = nullptr;

// COM interfaces have no virtual destructor: their objects are freed by
// their own Release, never deleted through the interface.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace {

template <typename Interface>
class TScriptedObject : public Interface {
 public:
  explicit TScriptedObject(TScriptedCaptureDevice& device) : Device(device) { ++Device.LiveObjects; }
  virtual ~TScriptedObject() { --Device.LiveObjects; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++References; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --References;
    if (left == 0) delete this;
    return left;
  }

 protected:
  TScriptedCaptureDevice& Device;
  ULONG References = 1;
};

class TBuffer : public TScriptedObject<IDirectSoundCaptureBuffer> {
 public:
  TBuffer(TScriptedCaptureDevice& device, std::shared_ptr<TScriptedBuffer> state)
      : TScriptedObject(device), State(std::move(state)) {}
  ~TBuffer() override { State->Released = true; }

  HRESULT STDMETHODCALLTYPE GetCaps(LPDSCBCAPS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) override {
    bool capturing = State->Starts > State->Stops && !State->Lost;
    *status = capturing ? DSCBSTATUS_CAPTURING | DSCBSTATUS_LOOPING : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUNDCAPTURE, LPCDSCBUFFERDESC) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD capture, LPDWORD read) override {
    if (State->PositionFails) return E_FAIL;
    DWORD size = static_cast<DWORD>(State->Ring.size());
    if (!State->Lost) State->ReadPosition = (State->ReadPosition + State->AdvancePerPositionCall) % size;
    *capture = (State->ReadPosition + 64) % size;
    *read = State->ReadPosition;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* region1, LPDWORD length1, LPVOID* region2,
                                 LPDWORD length2, DWORD) override {
    State->LockOffsets.push_back(offset);
    if (State->LocksBeforeFailure == 0) return DSERR_INVALIDPARAM;
    if (State->LocksBeforeFailure > 0) --State->LocksBeforeFailure;
    DWORD size = static_cast<DWORD>(State->Ring.size());
    if (offset >= size || bytes > size) return DSERR_INVALIDPARAM;
    DWORD first = std::min(bytes, size - offset);
    bool wraps = first < bytes;
    *region1 = State->Ring.data() + offset;
    *length1 = wraps ? first : first + State->LockExcess;
    *region2 = wraps ? State->Ring.data() : nullptr;
    *length2 = wraps ? bytes - first + State->LockExcess : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Start(DWORD flags) override {
    State->StartFlags = flags;
    ++State->Starts;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Stop() override {
    ++State->Stops;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return S_OK; }

 private:
  std::shared_ptr<TScriptedBuffer> State;
};

std::shared_ptr<TScriptedBuffer> NewBufferState(const TScriptedCaptureDevice& device, LPCDSCBUFFERDESC description) {
  auto state = std::make_shared<TScriptedBuffer>();
  state->Description = *description;
  std::memcpy(&state->Format, description->lpwfxFormat, sizeof(TWaveFormatEx));
  if (state->Format.wFormatTag == WAVE_FORMAT_EXTENSIBLE)
    std::memcpy(&state->Extensible, description->lpwfxFormat, sizeof(WAVEFORMATEXTENSIBLE));
  state->Ring.resize(description->dwBufferBytes);
  for (size_t i = 0; i < state->Ring.size(); ++i) state->Ring[i] = TScriptedCaptureDevice::RingByte(i);
  state->ReadPosition = device.InitialReadPosition;
  return state;
}

class TDevice : public TScriptedObject<IDirectSoundCapture> {
 public:
  using TScriptedObject::TScriptedObject;

  HRESULT STDMETHODCALLTYPE CreateCaptureBuffer(LPCDSCBUFFERDESC description, LPDIRECTSOUNDCAPTUREBUFFER* buffer,
                                                LPUNKNOWN) override {
    auto state = NewBufferState(Device, description);
    Device.Buffers.push_back(state);
    if (description->dwSize != sizeof(DSCBUFFERDESC) || !Device.Accepts(*description->lpwfxFormat))
      return DSERR_INVALIDPARAM;
    *buffer = new TBuffer(Device, state);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCaps(LPDSCCAPS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Initialize(LPCGUID) override { return E_NOTIMPL; }
};

HRESULT WINAPI ScriptedCreate(LPCGUID guid, LPDIRECTSOUNDCAPTURE* device, LPUNKNOWN) {
  TScriptedCaptureDevice& script = *TScriptedCaptureDevice::Current;
  script.OpenedGuids.push_back(guid ? *guid : GUID_NULL);
  if (script.CreateResult != S_OK) return script.CreateResult;
  *device = new TDevice(script);
  return S_OK;
}

HRESULT WINAPI ScriptedEnumerate(LPDSENUMCALLBACKA callback, LPVOID context) {
  TScriptedCaptureDevice& script = *TScriptedCaptureDevice::Current;
  ++script.Enumerations;
  for (TDeviceInfo& device : script.Devices)
    if (!callback(device.Guid.get(), device.Description.c_str(), device.Module.c_str(), context)) break;
  return script.EnumerateResult;
}

FARPROC ScriptedEntry(const std::wstring&, const std::string& entryName) {
  void* entry = entryName == "DirectSoundCaptureCreate" ? reinterpret_cast<void*>(&ScriptedCreate)
                                                        : reinterpret_cast<void*>(&ScriptedEnumerate);
  return reinterpret_cast<FARPROC>(entry);
}

}  // namespace

TScriptedCaptureDevice::TScriptedCaptureDevice() : FPreviousSource(SetDirectXEntrySource(&ScriptedEntry)) {
  Current = this;
}

TScriptedCaptureDevice::~TScriptedCaptureDevice() {
  SetDirectXEntrySource(FPreviousSource);
  Current = nullptr;
}

bool TScriptedCaptureDevice::Accepts(const WAVEFORMATEX& format) const {
  if (format.wFormatTag == WAVE_FORMAT_PCM && format.wBitsPerSample > PlainPcmMaxBits) return false;
  if (AcceptAll) return true;
  return std::any_of(Accepted.begin(), Accepted.end(), [&](const TWaveFormatEx& accepted) {
    return accepted.nSamplesPerSec == format.nSamplesPerSec && accepted.wBitsPerSample == format.wBitsPerSample &&
           accepted.nChannels == format.nChannels;
  });
}
