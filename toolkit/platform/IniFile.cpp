#include "toolkit/platform/IniFile.h"

#include <windows.h>

#include "toolkit/core/IniValue.h"

namespace {

// Profile reads truncate silently; this grows the buffer until the text fits.
// full(result, size) tells whether a result of that length may have been cut.
template <typename Read, typename Full>
std::wstring ReadWhole(Read read, Full full) {
  for (DWORD size = 256;; size *= 2) {
    std::wstring buffer(size, L'\0');
    DWORD length = read(buffer.data(), size);
    if (!full(length, size) || size >= (1u << 24)) return buffer.substr(0, length);
  }
}

}  // namespace

TIniFile::~TIniFile() {
  // The platform caches a profile file it has read; a later file of the same
  // name (the next skin's description) must not be answered from that cache.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, FFileName.c_str());
}

std::wstring TIniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& fallback) const {
  return ReadWhole(
      [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), buffer, size,
                                        FFileName.c_str());
      },
      [](DWORD length, DWORD size) { return length + 1 >= size; });
}

int32_t TIniFile::ReadInteger(const std::wstring& section, const std::wstring& key, int32_t fallback) const {
  return IntegerFromText(ReadString(section, key, L"")).value_or(fallback);
}

std::vector<std::wstring> TIniFile::ReadSections() const {
  std::wstring names = ReadWhole(
      [&](wchar_t* buffer, DWORD size) { return GetPrivateProfileSectionNamesW(buffer, size, FFileName.c_str()); },
      [](DWORD length, DWORD size) { return length + 2 >= size; });
  std::vector<std::wstring> sections;
  for (size_t start = 0; start < names.size();) {
    size_t end = names.find(L'\0', start);
    if (end == std::wstring::npos) end = names.size();
    if (end > start) sections.emplace_back(names, start, end - start);
    start = end + 1;
  }
  return sections;
}
