// The run-time loader through which the program reaches DirectSound: each
// library is loaded once, by a case-insensitive name, and kept until the end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/core/Exception.h"
#include "toolkit/platform/OwnedHandle.h"

// DirectSound cannot be reached: "Necessary since DirectX 5".
class EDirectXError : public Exception {
 public:
  EDirectXError();
};

// The loaded libraries in load order, each under its lower-cased name. At
// program end they are released in that order.
class TLoadedLibraries {
 public:
  TLoadedLibraries() = default;
  ~TLoadedLibraries();
  TLoadedLibraries(const TLoadedLibraries&) = delete;
  TLoadedLibraries& operator=(const TLoadedLibraries&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  const std::wstring& Names(int index) const;
  HMODULE Modules(int index) const;
  // The module loaded under lowerName, or null.
  HMODULE Find(const std::wstring& lowerName) const;
  void Add(std::wstring lowerName, TModuleHandle module);

 private:
  struct TLibrary {
    std::wstring Name;
    TModuleHandle Module;
  };
  std::vector<TLibrary> FItems;
};

// The loader's cache, created on first use and kept until the program ends.
TLoadedLibraries& LoadedLibraries();

// The address of entryName in libraryName, loading the library on first use.
// "%s not loaded" (with the library name) when the library or entry is missing.
FARPROC LoadDirectXEntry(const std::wstring& libraryName, const std::string& entryName);
