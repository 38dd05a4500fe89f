#include "toolkit/platform/HiddenWindow.h"

#include "toolkit/core/Exception.h"

TWindowHandle CreateHiddenWindow(const THiddenWindowParams& params) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (!GetClassInfoExW(instance, params.ClassName, &windowClass)) {
    windowClass.lpfnWndProc = params.Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = params.ClassName;
    if (!RegisterClassExW(&windowClass)) throw Exception(L"Window class %s cannot be registered", {params.ClassName});
  }
  TWindowHandle window(CreateWindowExW(params.ExStyle, params.ClassName, params.Title, params.Style, 0, 0, 0, 0,
                                       params.Parent, nullptr, instance, nullptr));
  if (!window) throw Exception(L"Error creating window %s", {params.ClassName});
  return window;
}
