#include "toolkit/core/Format.h"

#include <cwctype>

namespace {

std::wstring Pad(std::wstring text, size_t width, bool leftAlign) {
  if (text.size() >= width) return text;
  std::wstring fill(width - text.size(), L' ');
  return leftAlign ? text + fill : fill + text;
}

std::wstring Convert(wchar_t kind, const FormatArg& arg, bool& ok) {
  const auto& value = arg.Value();
  ok = true;
  if (kind == L's' && std::holds_alternative<std::wstring>(value)) return std::get<std::wstring>(value);
  if (!std::holds_alternative<int64_t>(value)) {
    ok = false;
    return {};
  }
  int64_t number = std::get<int64_t>(value);
  switch (kind) {
    case L'd': return std::to_wstring(number);
    case L'u': return std::to_wstring(static_cast<uint32_t>(number));
    case L'x': {
      static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
      auto bits = static_cast<uint64_t>(number);
      std::wstring hex;
      do {
        hex.insert(hex.begin(), kDigits[bits & 15]);
        bits >>= 4;
      } while (bits != 0);
      return hex;
    }
    default: ok = false; return {};
  }
}

}  // namespace

std::wstring Format(std::wstring_view format, std::initializer_list<FormatArg> args) {
  std::wstring out;
  auto next = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != L'%') {
      out += format[i];
      continue;
    }
    size_t start = i++;
    bool leftAlign = i < format.size() && format[i] == L'-';
    if (leftAlign) ++i;
    size_t width = 0;
    while (i < format.size() && std::iswdigit(format[i])) width = width * 10 + (format[i++] - L'0');
    if (i >= format.size()) {
      out += format.substr(start);
      break;
    }
    if (format[i] == L'%' && i == start + 1) {
      out += L'%';
      continue;
    }
    bool ok = false;
    std::wstring text;
    if (next != args.end()) text = Convert(format[i], *next, ok);
    if (ok) {
      ++next;
      out += Pad(std::move(text), width, leftAlign);
    } else {
      out += format.substr(start, i - start + 1);
    }
  }
  return out;
}
