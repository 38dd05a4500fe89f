// Move-only owners of Win32 handles: each kind knows how it is released, so a
// handle is freed exactly once on every path, and copying is impossible.
#pragma once

#include <windows.h>
#include <commctrl.h>

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

inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }

using TFontHandle = TOwnedHandle<HFONT, &DeleteGdiObject>;
using TBrushHandle = TOwnedHandle<HBRUSH, &DeleteGdiObject>;
using TPenHandle = TOwnedHandle<HPEN, &DeleteGdiObject>;
using TBitmapHandle = TOwnedHandle<HBITMAP, &DeleteGdiObject>;
using TMemoryDCHandle = TOwnedHandle<HDC, &DeleteDC>;
using TMenuHandle = TOwnedHandle<HMENU, &DestroyMenu>;
using TImageListHandle = TOwnedHandle<HIMAGELIST, &ImageList_Destroy>;
using TIconHandle = TOwnedHandle<HICON, &DestroyIcon>;
// A region handed to the platform (SetWindowRgn, GetDCEx) is the platform's: Detach it then.
using TRegionHandle = TOwnedHandle<HRGN, &DeleteGdiObject>;
// A computer-based-training or message-filter hook of this thread.
using THookHandle = TOwnedHandle<HHOOK, &UnhookWindowsHookEx>;

// A window's device context, given back with ReleaseDC: the client area's
// (GetDC), the whole window's with its frame (GetWindowDC), or one of
// GetDCEx's. A context that could not be had is null.
class TWindowDC {
 public:
  explicit TWindowDC(HWND wnd) : TWindowDC(wnd, GetDC(wnd)) {}
  static TWindowDC WholeWindow(HWND wnd) { return TWindowDC(wnd, GetWindowDC(wnd)); }
  // With DCX_INTERSECTRGN or DCX_EXCLUDERGN the platform takes clip over (the
  // region of WM_NCPAINT is the platform's anyway).
  static TWindowDC Ex(HWND wnd, HRGN clip, DWORD flags) { return TWindowDC(wnd, GetDCEx(wnd, clip, flags)); }
  ~TWindowDC() { if (FDC) ReleaseDC(FWnd, FDC); }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  TWindowDC(HWND wnd, HDC dc) : FWnd(wnd), FDC(dc) {}
  HWND FWnd;
  HDC FDC;
};

// The paint context of one WM_PAINT, ended on every path.
class TPaintDC {
 public:
  explicit TPaintDC(HWND wnd) : FWnd(wnd), FDC(BeginPaint(wnd, &FPaint)) {}
  ~TPaintDC() { EndPaint(FWnd, &FPaint); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const { return FDC; }

 private:
  HWND FWnd;
  PAINTSTRUCT FPaint{};
  HDC FDC;
};

// Selects an object into a DC for one scope and puts the previous one back.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : FDC(dc), FPrevious(SelectObject(dc, object)) {}
  ~TSelectObject() { SelectObject(FDC, FPrevious); }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FPrevious;
};

// Keeps a DC's state (origin, clipping, selections) for one scope.
class TSaveDC {
 public:
  explicit TSaveDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
  ~TSaveDC() { RestoreDC(FDC, FSaved); }
  TSaveDC(const TSaveDC&) = delete;
  TSaveDC& operator=(const TSaveDC&) = delete;

 private:
  HDC FDC;
  int FSaved;
};

// A DC's stretching mode for one scope. Skin images scale by repeating or
// dropping pixels (COLORONCOLOR): blending would smear their transparent colour.
class TStretchMode {
 public:
  TStretchMode(HDC dc, int mode) : FDC(dc), FPrevious(SetStretchBltMode(dc, mode)) {}
  ~TStretchMode() {
    if (FPrevious) SetStretchBltMode(FDC, FPrevious);
  }
  TStretchMode(const TStretchMode&) = delete;
  TStretchMode& operator=(const TStretchMode&) = delete;

 private:
  HDC FDC;
  int FPrevious;
};
