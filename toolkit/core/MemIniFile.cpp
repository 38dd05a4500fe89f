#include "toolkit/core/MemIniFile.h"

#include <algorithm>

#include "toolkit/core/IniValue.h"
#include "toolkit/core/WideText.h"

namespace {

std::wstring Folded(std::wstring_view name) { return UpperCase(std::wstring(TrimBlanks(name))); }

// A value in matching single or double quotes is read without them; a zero
// character ends it, as it ends the platform's strings.
std::wstring Unquoted(std::wstring_view value) {
  value = value.substr(0, value.find(L'\0'));
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::wstring(value);
}

}  // namespace

TMemIniFile::TMemIniFile(std::wstring_view text) {
  FSections.emplace_back();
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find_first_of(L"\r\n", start), text.size());
    std::wstring_view line = TrimBlanks(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    size_t close = line.rfind(L']');
    if (line.front() == L'[' && close != std::wstring_view::npos) {
      std::wstring name(TrimBlanks(line.substr(1, close - 1)));
      FFirst.emplace(UpperCase(name), FSections.size());
      FSections.push_back({std::move(name), {}});
      continue;
    }
    size_t equals = line.find(L'=');
    std::optional<std::wstring> value;
    if (equals != std::wstring_view::npos) value = std::wstring(TrimBlanks(line.substr(equals + 1)));
    FSections.back().Values.emplace(Folded(line.substr(0, equals)), std::move(value));
  }
}

const std::optional<std::wstring>* TMemIniFile::Find(std::wstring_view section, std::wstring_view key) const {
  std::wstring name = Folded(section);
  size_t index = 0;
  if (!name.empty()) {
    auto found = FFirst.find(name);
    if (found == FFirst.end()) return nullptr;
    index = found->second;
  }
  const auto& values = FSections[index].Values;
  auto value = values.find(Folded(key));
  return value == values.end() ? nullptr : &value->second;
}

std::wstring TMemIniFile::ReadString(std::wstring_view section, std::wstring_view key,
                                     const std::wstring& fallback) const {
  const std::optional<std::wstring>* value = Find(section, key);
  return value && *value ? Unquoted(**value) : fallback;
}

int32_t TMemIniFile::ReadInteger(std::wstring_view section, std::wstring_view key, int32_t fallback) const {
  return IntegerFromText(ReadString(section, key, L"")).value_or(fallback);
}

std::vector<std::wstring> TMemIniFile::ReadSections() const {
  std::vector<std::wstring> names;
  for (size_t i = 1; i < FSections.size(); ++i)
    if (!FSections[i].Name.empty()) names.push_back(FSections[i].Name);
  return names;
}
