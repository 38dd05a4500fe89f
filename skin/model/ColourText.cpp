#include "skin/model/ColourText.h"

#include <array>
#include <optional>
#include <string>

#include "toolkit/core/WideText.h"

namespace {

std::optional<uint32_t> Number(const std::wstring& digits) {
  uint64_t value = 0;
  for (wchar_t c : digits) {
    value = value * 10 + uint32_t(c - L'0');
    if (value > INT32_MAX) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

}  // namespace

uint32_t ParseColourText(std::wstring_view text) {
  text = TrimBlanks(text);
  std::array<uint32_t, 3> components{};
  size_t stored = 0;
  std::wstring digits;
  // A number that is too large counts as given but leaves its component 0.
  auto store = [&](size_t index) {
    if (index < components.size()) components[index] = Number(digits).value_or(0);
    digits.clear();
  };
  for (wchar_t c : text) {
    if (c >= L'0' && c <= L'9') {
      digits += c;
    } else if (!digits.empty()) {
      store(stored++);
    }
  }
  // The third number may end the text; a lone or second number may not.
  if (stored == 2 && !digits.empty()) store(stored++);
  return (components[0] % 256) | (components[1] % 256) << 8 | (components[2] % 256) << 16;
}
