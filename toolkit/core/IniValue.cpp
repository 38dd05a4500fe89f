#include "toolkit/core/IniValue.h"

#include "toolkit/core/WideText.h"

namespace {

int DigitValue(wchar_t c, int base) {
  int value = c >= L'0' && c <= L'9'   ? c - L'0'
              : c >= L'a' && c <= L'f' ? c - L'a' + 10
              : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                       : 99;
  return value < base ? value : -1;
}

}  // namespace

std::optional<int32_t> IntegerFromText(std::wstring_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with(L'$')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with(L"0x") || text.starts_with(L"0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  // Hexadecimal texts give the 32 bits as written, so $FFFFFFFF is -1.
  const int64_t limit = base == 16 ? int64_t(UINT32_MAX) : int64_t(INT32_MAX) + (negative ? 1 : 0);
  int64_t value = 0;
  for (wchar_t c : text) {
    int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  if (base == 16) value = static_cast<int32_t>(static_cast<uint32_t>(value));
  return static_cast<int32_t>(negative ? -value : value);
}
