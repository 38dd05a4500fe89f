#include "toolkit/core/MenuMnemonic.h"

#include <cwctype>

wchar_t MenuAccelerator(std::wstring_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return caption[i + 1];
    ++i;
  }
  return 0;
}

bool SameAccelerator(wchar_t a, wchar_t b) { return std::towupper(a) == std::towupper(b); }

TMenuCharChoice MenuCharChoice(const std::vector<std::wstring>& captions, wchar_t character, int selected) {
  std::vector<int> matches;
  if (character != 0)
    for (std::size_t i = 0; i < captions.size(); ++i) {
      const wchar_t accelerator = MenuAccelerator(captions[i]);
      if (accelerator != 0 && SameAccelerator(accelerator, character)) matches.push_back(static_cast<int>(i));
    }
  if (matches.empty()) return {};
  if (matches.size() == 1) return {matches.front(), true};
  for (int position : matches)
    if (position > selected) return {position, false};
  return {matches.front(), false};
}
