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

// The lookups the platform answers as the comments say.
const std::pair<const wchar_t*, const wchar_t*> kLookups[] = {
    {L"", L"top"},           {L"First", L"key"},      {L"FIRST", L" KEY "},  // the first key of the name
    {L"First", L"Quoted"},   {L"First", L"Single"},   {L"First", L"Half"},   // quotes only in pairs
    {L"First", L"NoEquals"}, {L"First", L"Comment"},  {L"First", L";Comment"}, {L"First", L"Empty"},
    {L"First", L"Eq"},       {L"Spaced", L"x"},       {L"first", L"Later"},  // only the first section counts
    {L"Broken", L"y"},       {L"Trail", L"z"},        {L"Trail", L"lone"},   {L"", L"w"},
    {L"Tab", L"Tabbed"},     {L"Two] [Three", L"q"},  {L"Two", L"q"},        {L"Missing", L"key"},
};

std::wstring Wide(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

}  // namespace

TEST(MemIniFile, ReadsOddLinesAsTheProfileFunctionsDo) {
  TMemIniFile ini(Wide(kText));
  auto read = [&](const wchar_t* section, const wchar_t* key) { return ini.ReadString(section, key, L"<fallback>"); };
  EXPECT_EQ(read(L"FIRST", L" KEY "), L"spaced value");
  EXPECT_EQ(read(L"First", L"Quoted") + read(L"First", L"Single") + read(L"First", L"Half"), L"in quotessingle\"half");
  EXPECT_EQ(read(L"First", L"NoEquals") + read(L"First", L"Empty") + read(L"First", L"Eq"), L"<fallback>a=b");
  EXPECT_EQ(read(L"first", L"Later") + read(L"Broken", L"y") + read(L"", L"w"), L"<fallback><fallback><fallback>");
  EXPECT_EQ(read(L"Trail", L"lone") + read(L"Tab", L"Tabbed") + read(L"Two] [Three", L"q"), L"after a lone CRv5");
  const std::vector<std::wstring> sections{L"First", L"Spaced", L"first", L"Trail", L"Tab", L"Two] [Three"};
  EXPECT_EQ(ini.ReadSections(), sections);
  EXPECT_EQ(ini.ReadInteger(L"First", L"Number", 7), -12);
  EXPECT_EQ(ini.ReadInteger(L"First", L"Quoted", 7), 7) << "not a number";
  EXPECT_TRUE(TMemIniFile(L"").ReadSections().empty());
  EXPECT_EQ(TMemIniFile(std::wstring(L"[S]\nk=ab\0cd", 11)).ReadString(L"S", L"k", L""), L"ab");
}

#ifdef _WIN32
// The platform as the judge: the same text in a file, read key by key.
TEST(MemIniFile, AgreesWithThePlatformsProfileFunctions) {
  TTempFile file(L"odd.ini");
  TFileStream(file.Path(), fmCreate).WriteBuffer(kText, sizeof kText - 1);
  TMemIniFile ini(Wide(kText));
  for (auto [section, key] : kLookups) {
    wchar_t value[256] = {};
    GetPrivateProfileStringW(section, key, L"<fallback>", value, 256, file.Path().c_str());
    EXPECT_EQ(ini.ReadString(section, key, L"<fallback>"), value)
        << "[" << testing::PrintToString(std::wstring(section)) << "] " << testing::PrintToString(std::wstring(key));
  }
  wchar_t names[1024] = {};
  DWORD length = GetPrivateProfileSectionNamesW(names, 1024, file.Path().c_str());
  std::vector<std::wstring> platform;
  for (DWORD i = 0; i < length; i += static_cast<DWORD>(platform.back().size()) + 1) platform.emplace_back(names + i);
  EXPECT_EQ(ini.ReadSections(), platform);
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.Path().c_str());  // the platform's cache lets go
}
#endif
