// An INI file read through the platform's profile functions: section and key
// names match without regard to letter case, missing keys give defaults.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TIniFile {
 public:
  explicit TIniFile(std::wstring fileName) : FFileName(std::move(fileName)) {}
  ~TIniFile();
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  const std::wstring& FileName() const { return FFileName; }
  std::wstring ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& fallback) const;
  // fallback also when the text is not an integer (see IntegerFromText).
  int32_t ReadInteger(const std::wstring& section, const std::wstring& key, int32_t fallback) const;
  // The section names in file order.
  std::vector<std::wstring> ReadSections() const;

 private:
  std::wstring FFileName;
};
