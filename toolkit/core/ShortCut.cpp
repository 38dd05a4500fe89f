#include "toolkit/core/ShortCut.h"

#include <iterator>
#include <utility>

#include "toolkit/core/WideText.h"

namespace {

constexpr uint8_t kVkF1 = 0x70;
constexpr int kFunctionKeys = 24;

struct TKeyName {
  uint8_t Key;
  const wchar_t* Name;
};

// The keys with names of their own; letters, digits and F-keys are computed.
constexpr TKeyName kKeyNames[] = {
    {0x08, L"BkSp"}, {0x09, L"Tab"},   {0x0D, L"Enter"}, {0x1B, L"Esc"},  {0x20, L"Space"},
    {0x21, L"PgUp"}, {0x22, L"PgDn"},  {0x23, L"End"},   {0x24, L"Home"}, {0x25, L"Left"},
    {0x26, L"Up"},   {0x27, L"Right"}, {0x28, L"Down"},  {0x2D, L"Ins"},  {0x2E, L"Del"},
};

constexpr std::pair<TShortCut, const wchar_t*> kModifiers[] = {
    {scShift, L"Shift+"}, {scCtrl, L"Ctrl+"}, {scAlt, L"Alt+"}};

std::wstring KeyName(uint8_t key) {
  if ((key >= L'A' && key <= L'Z') || (key >= L'0' && key <= L'9')) return std::wstring(1, wchar_t(key));
  if (key >= kVkF1 && key < kVkF1 + kFunctionKeys) return L"F" + std::to_wstring(key - kVkF1 + 1);
  for (const TKeyName& name : kKeyNames)
    if (name.Key == key) return name.Name;
  return {};
}

std::wstring Trimmed(const std::wstring& text) {
  size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

int KeyFromName(const std::wstring& name) {
  for (int key = 1; key < 256; ++key) {
    std::wstring candidate = KeyName(uint8_t(key));
    if (!candidate.empty() && UpperCase(candidate) == name) return key;
  }
  return 0;
}

}  // namespace

std::wstring ShortCutToText(TShortCut shortCut) {
  std::wstring key = KeyName(uint8_t(shortCut & 0xFF));
  if (key.empty()) return {};
  std::wstring text;
  for (const auto& [bit, prefix] : kModifiers)
    if (shortCut & bit) text += prefix;
  return text + key;
}

// A "+" key is not named, so every "+" separates parts.
TShortCut TextToShortCut(const std::wstring& text) {
  std::wstring rest = UpperCase(text);
  TShortCut modifiers = 0;
  for (size_t plus = rest.find(L'+'); plus != std::wstring::npos; plus = rest.find(L'+')) {
    std::wstring part = Trimmed(rest.substr(0, plus)) + L"+";
    bool known = false;
    for (const auto& [bit, prefix] : kModifiers)
      if (part == UpperCase(prefix)) modifiers |= bit, known = true;
    if (!known) return scNone;
    rest.erase(0, plus + 1);
  }
  int key = KeyFromName(Trimmed(rest));
  return key ? TShortCut(modifiers | key) : scNone;
}
