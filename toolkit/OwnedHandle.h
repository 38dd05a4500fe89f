// Move-only owners of Win32 handles: each kind knows how it is released, so a
// handle is freed exactly once on every path, and copying is impossible.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, auto Release>
class TOwnedHandle {
 public:
  TOwnedHandle() = default;
  explicit TOwnedHandle(Handle handle) : FHandle(handle) {}
  ~TOwnedHandle() { Reset(); }
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;
  TOwnedHandle(TOwnedHandle&& other) noexcept : FHandle(other.Detach()) {}
  TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
    if (this != &other) Reset(other.Detach());
    return *this;
  }

  Handle Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  Handle Detach() { return std::exchange(FHandle, nullptr); }
  void Reset(Handle handle = nullptr) {
    Handle old = std::exchange(FHandle, handle);
    if (old != nullptr) Release(old);
  }

 private:
  Handle FHandle = nullptr;
};

// Events and threads; a null handle means "none" (CreateEvent and CreateThread fail with null).
using TKernelHandle = TOwnedHandle<HANDLE, &CloseHandle>;
using TModuleHandle = TOwnedHandle<HMODULE, &FreeLibrary>;
using TWindowHandle = TOwnedHandle<HWND, &DestroyWindow>;
