// The in-memory INI reader against the rules of the platform's profile
// functions; on Windows the platform itself reads the same text from a file
// and must give the same answers.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "toolkit/core/MemIniFile.h"

#ifdef _WIN32
#include <windows.h>

#include "TempFiles.h"
#include "toolkit/platform/FileStream.h"
#endif

namespace {

// Odd lines a hand-edited skin description may hold.
const char kText[] =
    "top=before any section\r\n"
    "[First]\r\n"
    "  Key = spaced value  \r\n"
    "key=a second key of the same name\r\n"
    "Quoted=\"in quotes\"\r\n"
    "Single='single'\r\n"
    "Half=\"half\r\n"
    "NoEquals\r\n"
    ";Comment=a key whose name begins with a semicolon\r\n"
    "Empty=\r\n"
    "Number= -12 \r\n"
    "Eq=a=b\r\n"
    "[ Spaced ]\r\n"
    "x=1\r\n"
    "[first]\r\n"
    "Later=in the second section of the name\r\n"
    "[Broken\r\n"
    "y=2\r\n"
    "[Trail]junk\r\n"
    "z=3\rlone=after a lone CR\n"
    "[]\r\n"
    "w=4\n"
    "[Tab]\r\n"
    "\tTabbed\t=\tv\t\r\n"
    "[Two] [Three]\r\n"
    "q=5";

struct TLookup {
  const wchar_t* Section;
  const wchar_t* Key;
  const wchar_t* Value;  // null: the fallback
};

const TLookup kLookups[] = {
    {L"", L"top", L"before any section"},
    {L"First", L"key", L"spaced value"},
    {L"FIRST", L" KEY ", L"spaced value"},
    {L"First", L"Quoted", L"in quotes"},
    {L"First", L"Single", L"single"},
    {L"First", L"Half", L"\"half"},
    {L"First", L"NoEquals", nullptr},
    {L"First", L"Comment", nullptr},
    {L"First", L";Comment", L"a key whose name begins with a semicolon"},
    {L"First", L"Empty", L""},
    {L"First", L"Eq", L"a=b"},
    {L"Spaced", L"x", L"1"},
    {L"first", L"Later", nullptr},
    {L"Broken", L"y", nullptr},
    {L"Trail", L"z", L"3"},
    {L"Trail", L"lone", L"after a lone CR"},
    {L"", L"w", nullptr},
    {L"Tab", L"Tabbed", L"v"},
    {L"Two] [Three", L"q", L"5"},
    {L"Two", L"q", nullptr},
    {L"Missing", L"key", nullptr},
};

const std::vector<std::wstring> kSections = {L"First", L"Spaced", L"first", L"Trail", L"Tab", L"Two] [Three"};

std::string Where(const TLookup& lookup) {
  return "[" + testing::PrintToString(std::wstring(lookup.Section)) + "] " + testing::PrintToString(std::wstring(lookup.Key));
}

std::wstring Wide(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

}  // namespace

TEST(MemIniFile, ReadsOddLinesAsTheProfileFunctionsDo) {
  TMemIniFile ini(Wide(kText));
  for (const TLookup& lookup : kLookups)
    EXPECT_EQ(ini.ReadString(lookup.Section, lookup.Key, L"<fallback>"), lookup.Value ? lookup.Value : L"<fallback>")
        << Where(lookup);
  EXPECT_EQ(ini.ReadSections(), kSections);
  EXPECT_EQ(ini.ReadInteger(L"First", L"Number", 7), -12);
  EXPECT_EQ(ini.ReadInteger(L"First", L"Quoted", 7), 7) << "not a number";
  EXPECT_EQ(ini.ReadInteger(L"First", L"NoEquals", 7), 7);
  EXPECT_TRUE(TMemIniFile(L"").ReadSections().empty());
  EXPECT_EQ(TMemIniFile(std::wstring(L"[S]\nk=ab\0cd", 11)).ReadString(L"S", L"k", L""), L"ab");
}

#ifdef _WIN32
// The platform as the judge: the same text in a file, read key by key.
TEST(MemIniFile, AgreesWithThePlatformsProfileFunctions) {
  TTempFile file(L"odd.ini");
  TFileStream(file.Path(), fmCreate).WriteBuffer(kText, sizeof kText - 1);
  TMemIniFile ini(Wide(kText));
  for (const TLookup& lookup : kLookups) {
    wchar_t value[256] = {};
    GetPrivateProfileStringW(lookup.Section, lookup.Key, L"<fallback>", value, 256, file.Path().c_str());
    EXPECT_EQ(ini.ReadString(lookup.Section, lookup.Key, L"<fallback>"), value) << Where(lookup);
  }
  wchar_t names[1024] = {};
  DWORD length = GetPrivateProfileSectionNamesW(names, 1024, file.Path().c_str());
  std::vector<std::wstring> platform;
  for (DWORD i = 0; i < length; i += static_cast<DWORD>(platform.back().size()) + 1) platform.emplace_back(names + i);
  EXPECT_EQ(ini.ReadSections(), platform);
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.Path().c_str());  // the platform's cache lets go
}
#endif
