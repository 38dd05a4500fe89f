// The two DirectSound entries the program calls, taken from "DSound.dll"
// through the loader. Whatever goes wrong while reaching or calling them is
// reported as EDirectXError, so the loader's "%s not loaded" never reaches the user.
#pragma once

#include <string>

#include "capture/DirectX.h"

// Where the entries come from: LoadDirectXEntry, unless replaced (tests put a
// scripted capture device behind this). Returns the previous source.
using TDirectXEntrySource = FARPROC (*)(const std::wstring& libraryName, const std::string& entryName);
TDirectXEntrySource SetDirectXEntrySource(TDirectXEntrySource source);

// DirectSoundCaptureCreate(deviceGuid, device, null); device is cleared first.
HRESULT CallDirectSoundCaptureCreate(const GUID* deviceGuid, TComRef<IDirectSoundCapture>& device);
HRESULT CallDirectSoundCaptureEnumerateA(LPDSENUMCALLBACKA callback, void* context);
