// One DirectSound capture device as the system reports it, and the list of them.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/core/Collection.h"

class TDirectXDriver : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;

  // The identity to open the device with; null for the system's default device.
  const GUID* Guid() const { return FGuid; }
  // Keeps a copy of *guid, or no identity when guid is null.
  void SetGuid(const GUID* guid);

  // The device's description: the text shown to the user.
  const std::wstring& Description() const { return FDescription; }
  void SetDescription(std::wstring description) { FDescription = std::move(description); }
  const std::wstring& Module() const { return FModule; }
  void SetModule(std::wstring module) { FModule = std::move(module); }

 private:
  const GUID* FGuid = nullptr;
  GUID GuidStorage{};
  std::wstring FDescription;
  std::wstring FModule;
};

class TDirectXDrivers : public TCollectionOf<TDirectXDriver> {};
