#include "toolkit/platform/DisplayDpi.h"

#include "toolkit/core/DisplayScale.h"
#include "toolkit/platform/OwnedHandle.h"

namespace {

template <typename Function>
Function UserFunction(const char* name) {
  static HMODULE user = GetModuleHandleW(L"user32.dll");
  return user ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name))) : nullptr;
}

using TGetDpiForWindow = UINT(WINAPI*)(HWND);
using TAdjustWindowRectExForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using TGetSystemMetricsForDpi = int(WINAPI*)(int, UINT);

int ScreenDpi() {
  TWindowDC screen(nullptr);
  const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : kLayoutDpi;
  return dpi > 0 ? dpi : kLayoutDpi;
}

}  // namespace

int SystemDpi() {
  static const int dpi = ScreenDpi();
  return dpi;
}

int WindowDpi(HWND wnd) {
  static const auto forWindow = UserFunction<TGetDpiForWindow>("GetDpiForWindow");
  if (wnd && forWindow)
    if (UINT dpi = forWindow(wnd)) return int(dpi);
  return SystemDpi();
}

RECT AdjustWindowRectForDpi(RECT client, DWORD style, bool menu, DWORD exStyle, int dpi) {
  static const auto adjust = UserFunction<TAdjustWindowRectExForDpi>("AdjustWindowRectExForDpi");
  if (adjust && adjust(&client, style, menu, exStyle, UINT(dpi))) return client;
  // Without it the frame is the screen's, taken to dpi.
  RECT outer = client;
  AdjustWindowRectEx(&outer, style, menu, exStyle);
  if (dpi == SystemDpi()) return outer;
  auto frame = [dpi](LONG edge) { return MulDivRound(int(edge), dpi, SystemDpi()); };
  return {client.left - frame(client.left - outer.left), client.top - frame(client.top - outer.top),
          client.right + frame(outer.right - client.right), client.bottom + frame(outer.bottom - client.bottom)};
}

int SystemMetricForDpi(int index, int dpi) {
  static const auto metric = UserFunction<TGetSystemMetricsForDpi>("GetSystemMetricsForDpi");
  if (metric) return metric(index, UINT(dpi));
  return MulDivRound(GetSystemMetrics(index), dpi, SystemDpi());
}
