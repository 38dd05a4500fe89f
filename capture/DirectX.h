// The DirectSound capture declarations the capture subsystem uses, and the
// shapes of the two entries it takes from "DSound.dll" at run time.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <dsound.h>

#include <cstdint>

#include "toolkit/platform/ComRef.h"
#include "wave/WaveFormat.h"

using TDirectSoundCaptureCreate = HRESULT(WINAPI*)(LPCGUID, LPDIRECTSOUNDCAPTURE*, LPUNKNOWN);
using TDirectSoundCaptureEnumerateA = HRESULT(WINAPI*)(LPDSENUMCALLBACKA, LPVOID);

// The platform's format record and ours share one byte layout.
static_assert(sizeof(WAVEFORMATEX) == sizeof(TWaveFormatEx));

// The extensible record that describes the same PCM samples as format.
WAVEFORMATEXTENSIBLE ExtensiblePcmFormat(const TWaveFormatEx& format);

// CreateCaptureBuffer for a looping ring of bufferBytes in format. The
// description's size field is this build's own sizeof: Wine rejects others.
// Samples wider than 16 bits that the plain PCM record cannot open are tried
// once more with the extensible record: the samples and bytes are the same,
// but devices behind a WASAPI-style layer (Wine's among them) accept such
// widths only in that form.
HRESULT CreateCaptureBuffer(IDirectSoundCapture& device, TWaveFormatEx& format, uint32_t bufferBytes,
                            TComRef<IDirectSoundCaptureBuffer>& buffer);
