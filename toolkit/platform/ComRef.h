// A counted reference to a COM interface: it holds one reference and drops it
// when reset or destroyed, so platform objects are released on every path.
#pragma once

#include <utility>

template <typename Interface>
class TComRef {
 public:
  TComRef() = default;
  ~TComRef() { Reset(); }
  TComRef(const TComRef&) = delete;
  TComRef& operator=(const TComRef&) = delete;
  TComRef(TComRef&& other) noexcept : FPointer(std::exchange(other.FPointer, nullptr)) {}
  TComRef& operator=(TComRef&& other) noexcept {
    if (this != &other) {
      Reset();
      FPointer = std::exchange(other.FPointer, nullptr);
    }
    return *this;
  }

  Interface* Get() const { return FPointer; }
  Interface* operator->() const { return FPointer; }
  explicit operator bool() const { return FPointer != nullptr; }

  void Reset() {
    if (Interface* old = std::exchange(FPointer, nullptr)) old->Release();
  }
  // For an out argument of a creating call: the old reference is dropped first.
  Interface** ClearedAddress() {
    Reset();
    return &FPointer;
  }

 private:
  Interface* FPointer = nullptr;
};
