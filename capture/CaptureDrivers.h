// The system's capture devices, listed once on first request and kept until
// the program ends: the default device first (no GUID), then the others.
#pragma once

#include "capture/DirectXDriver.h"

// EDirectXError "Necessary since DirectX 5" when DirectSound is missing; no
// list is kept then, and the next call tries again.
TDirectXDrivers& CaptureDrivers();
