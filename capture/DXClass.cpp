#include "capture/DXClass.h"

#include "toolkit/core/Exception.h"
#include "toolkit/platform/AnsiText.h"

EDirectXError::EDirectXError() : Exception(L"Necessary since DirectX 5") {}

TLoadedLibraries::~TLoadedLibraries() {
  for (TLibrary& library : FItems) library.Module.Reset();
}

const std::wstring& TLoadedLibraries::Names(int index) const {
  if (index < 0 || index >= Count()) throw EListError(index);
  return FItems[static_cast<size_t>(index)].Name;
}

HMODULE TLoadedLibraries::Modules(int index) const {
  if (index < 0 || index >= Count()) throw EListError(index);
  return FItems[static_cast<size_t>(index)].Module.Get();
}

HMODULE TLoadedLibraries::Find(const std::wstring& lowerName) const {
  for (const TLibrary& library : FItems)
    if (library.Name == lowerName) return library.Module.Get();
  return nullptr;
}

void TLoadedLibraries::Add(std::wstring lowerName, TModuleHandle module) {
  FItems.push_back({std::move(lowerName), std::move(module)});
}

TLoadedLibraries& LoadedLibraries() {
  static TLoadedLibraries libraries;
  return libraries;
}

namespace {

HMODULE LoadedModule(const std::wstring& libraryName) {
  TLoadedLibraries& libraries = LoadedLibraries();
  std::wstring lowerName = LowerCase(libraryName);
  if (HMODULE module = libraries.Find(lowerName)) return module;
  TModuleHandle module(LoadLibraryW(libraryName.c_str()));
  if (!module) throw Exception(L"%s not loaded", {libraryName});
  HMODULE handle = module.Get();
  libraries.Add(std::move(lowerName), std::move(module));
  return handle;
}

}  // namespace

FARPROC LoadDirectXEntry(const std::wstring& libraryName, const std::string& entryName) {
  FARPROC entry = GetProcAddress(LoadedModule(libraryName), entryName.c_str());
  if (entry == nullptr) throw Exception(L"%s not loaded", {libraryName});
  return entry;
}
