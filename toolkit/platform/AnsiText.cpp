#include "toolkit/platform/AnsiText.h"

#include <windows.h>

#include <cstring>

std::wstring FromAnsi(const char* text) {
  if (text == nullptr || *text == '\0') return {};
  int length = static_cast<int>(std::strlen(text));
  int wideLength = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), wideLength);
  return wide;
}

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  int length = static_cast<int>(text.size());
  int ansiLength = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(ansiLength), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), ansiLength, nullptr, nullptr);
  return ansi;
}

std::wstring LowerCase(std::wstring_view text) {
  std::wstring lower(text);
  if (!lower.empty()) CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
  return lower;
}
