#include "skin/engine/WindowFacts.h"

namespace {

constexpr int kCaptionTextLimit = 1000;
constexpr int kClassNameLimit = 255;

}  // namespace

std::wstring CaptionTextOf(HWND wnd) {
  wchar_t text[kCaptionTextLimit + 1] = {};
  GetWindowTextW(wnd, text, kCaptionTextLimit + 1);
  return text;
}

std::wstring ClassNameOf(HWND wnd) {
  wchar_t name[kClassNameLimit + 1] = {};
  GetClassNameW(wnd, name, kClassNameLimit + 1);
  return name;
}
