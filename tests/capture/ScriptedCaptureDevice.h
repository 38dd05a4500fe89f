// A capture device whose every answer the test decides: which formats it
// accepts, where its read position stands, and which calls fail. It is put
// behind the DirectSound entry source, so the capture code runs unchanged.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "capture/DirectSoundEntries.h"
#include "capture/DirectX.h"

// One ring buffer the device made; the test moves its read position.
struct TScriptedBuffer {
  std::vector<uint8_t> Ring;  // byte i holds RingByte(i)
  DSCBUFFERDESC Description{};
  TWaveFormatEx Format{};           // the record's first 18 bytes
  WAVEFORMATEXTENSIBLE Extensible{};  // the whole record, when it is the extensible kind
  DWORD ReadPosition = 0;
  DWORD AdvancePerPositionCall = 0;  // the position moves on by this much each time it is asked
  bool PositionFails = false;
  bool Lost = false;                 // the device went away: not capturing, the position stands still
  int LocksBeforeFailure = -1;       // −1: Lock never fails
  DWORD LockExcess = 0;              // reported region lengths exceed the request by this much
  DWORD StartFlags = 0;
  int Starts = 0;
  int Stops = 0;
  std::vector<DWORD> LockOffsets;
  bool Released = false;
};

struct TDeviceInfo {
  std::unique_ptr<GUID> Guid;  // null: the primary device
  std::string Description;
  std::string Module;
};

class TScriptedCaptureDevice {
 public:
  // Puts the scripted device behind the entry source until destroyed.
  TScriptedCaptureDevice();
  ~TScriptedCaptureDevice();
  TScriptedCaptureDevice(const TScriptedCaptureDevice&) = delete;
  TScriptedCaptureDevice& operator=(const TScriptedCaptureDevice&) = delete;

  static uint8_t RingByte(size_t offset) { return static_cast<uint8_t>(offset * 7 + offset / 256 + 1); }

  // What the device answers.
  HRESULT CreateResult = S_OK;
  HRESULT EnumerateResult = S_OK;
  bool AcceptAll = true;
  int PlainPcmMaxBits = 32;  // wider samples are accepted only in the extensible record
  std::vector<TWaveFormatEx> Accepted;  // when not AcceptAll: these rates, widths and channels only
  DWORD InitialReadPosition = 0;
  std::vector<TDeviceInfo> Devices;  // what enumeration reports, in order

  // What the code did.
  std::vector<std::shared_ptr<TScriptedBuffer>> Buffers;  // every buffer made, probing ones included
  std::vector<GUID> OpenedGuids;                          // GUID_NULL for a null device GUID
  int Enumerations = 0;
  int LiveObjects = 0;  // devices and buffers not yet released

  TScriptedBuffer& LastBuffer() { return *Buffers.back(); }
  bool Accepts(const WAVEFORMATEX& format) const;

  static TScriptedCaptureDevice* Current;

 private:
  TDirectXEntrySource FPreviousSource;
};
