// An INI text read once and looked up in memory, by the rules the platform's
// profile functions follow: lines end at CR or LF; "[name]" opens a section
// (the name runs to the last "]", blanks trimmed); "key=value" lines belong
// to the section above them, key and value trimmed; section and key names
// match without regard to letter case, and only the first section of a name
// and the first key of a name in it count; a value in matching quotes loses
// them; a line without "=" names a key with no value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TMemIniFile {
 public:
  explicit TMemIniFile(std::wstring_view text);

  // fallback when the key is missing or has no value.
  std::wstring ReadString(std::wstring_view section, std::wstring_view key, const std::wstring& fallback) const;
  // fallback also when the text is not an integer (see IntegerFromText).
  int32_t ReadInteger(std::wstring_view section, std::wstring_view key, int32_t fallback) const;
  // The names of the sections in text order, each time one is opened; the
  // lines before the first section, and sections of an empty name, have none.
  std::vector<std::wstring> ReadSections() const;

 private:
  struct TSection {
    std::wstring Name;
    std::unordered_map<std::wstring, std::optional<std::wstring>> Values;  // by upper-cased key
  };

  const std::optional<std::wstring>* Find(std::wstring_view section, std::wstring_view key) const;

  std::vector<TSection> FSections;                  // the first holds the lines before any section
  std::unordered_map<std::wstring, size_t> FFirst;  // upper-cased name: its first section
};
