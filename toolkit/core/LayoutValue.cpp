#include "toolkit/core/LayoutValue.h"

namespace {

template <typename Kind>
const Kind& As(const TPropValue& value) {
  if (auto* held = std::get_if<Kind>(&value)) return *held;
  throw EPropertyError(L"Invalid property value");
}

}  // namespace

int64_t PropInt(const TPropValue& value) { return As<int64_t>(value); }
const std::wstring& PropString(const TPropValue& value) { return As<std::wstring>(value); }
const std::wstring& PropIdent(const TPropValue& value) { return As<TLayoutIdent>(value).Name; }
const TLayoutSet& PropSet(const TPropValue& value) { return As<TLayoutSet>(value); }
const TLayoutItems& PropItems(const TPropValue& value) { return As<TLayoutItems>(value); }

std::vector<std::wstring> PropLines(const TPropValue& value) {
  const std::wstring& text = PropString(value);
  std::vector<std::wstring> lines;
  if (text.empty()) return lines;
  for (size_t start = 0;;) {
    size_t end = text.find(L'\n', start);
    lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) return lines;
    start = end + 1;
  }
}

bool PropBool(const TPropValue& value) {
  const std::wstring& name = PropIdent(value);
  if (name == L"True" || name == L"true") return true;
  if (name == L"False" || name == L"false") return false;
  throw EPropertyError(L"Invalid property value");
}

TPropValue BoolProp(bool value) { return TLayoutIdent{value ? L"True" : L"False"}; }
