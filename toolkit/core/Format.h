// printf-style formatting of wide texts from a format and a list of arguments,
// as the toolkit's messages use it ("%s cannot be made", "List index out of bounds (%d)").
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

// One argument of Format: a whole number or a text.
class FormatArg {
 public:
  template <typename Int, typename = std::enable_if_t<std::is_integral_v<Int>>>
  FormatArg(Int value) : FValue(static_cast<int64_t>(value)) {}
  FormatArg(std::wstring_view text) : FValue(std::wstring(text)) {}
  FormatArg(const std::wstring& text) : FValue(text) {}
  FormatArg(const wchar_t* text) : FValue(std::wstring(text)) {}

  const std::variant<int64_t, std::wstring>& Value() const { return FValue; }

 private:
  std::variant<int64_t, std::wstring> FValue;
};

// Supports %s, %d, %u, %x and %% with an optional width ("%5d", "%-8s").
// A directive whose argument is missing or of the other kind is written as it
// stands, so a bad format can never read past the arguments.
std::wstring Format(std::wstring_view format, std::initializer_list<FormatArg> args);
