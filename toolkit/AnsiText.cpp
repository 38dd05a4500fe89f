#include "toolkit/AnsiText.h"

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

std::wstring LowerCase(std::wstring_view text) {
  std::wstring lower(text);
  if (!lower.empty()) CharLowerBuffW(lower.data(), static_cast<DWORD>(lower.size()));
  return lower;
}
