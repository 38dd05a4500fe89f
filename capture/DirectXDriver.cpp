#include "capture/DirectXDriver.h"

void TDirectXDriver::SetGuid(const GUID* guid) {
  if (guid == nullptr) {
    FGuid = nullptr;
    return;
  }
  GuidStorage = *guid;
  FGuid = &GuidStorage;
}
