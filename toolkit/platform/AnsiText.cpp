#include "toolkit/platform/AnsiText.h"

#include <windows.h>

#include <cstdint>

namespace {

std::wstring Widened(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  int length = static_cast<int>(text.size());
  int wideLength = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), wideLength);
  return wide;
}

}  // namespace

std::wstring FromAnsi(const char* text) { return text ? Widened(CP_ACP, text) : std::wstring(); }

std::wstring TextFileToWide(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return Widened(CP_UTF8, bytes.substr(3));
  const bool little = bytes.starts_with("\xFF\xFE"), big = bytes.starts_with("\xFE\xFF");
  if (!little && !big) return Widened(CP_ACP, bytes);
  std::wstring wide;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    auto first = static_cast<uint8_t>(bytes[i]), second = static_cast<uint8_t>(bytes[i + 1]);
    wide.push_back(static_cast<wchar_t>(little ? first | second << 8 : first << 8 | second));
  }
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
