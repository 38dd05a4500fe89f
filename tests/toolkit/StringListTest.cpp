#include <gtest/gtest.h>

#include "toolkit/core/Exception.h"
#include "toolkit/core/StringList.h"

namespace {

std::vector<std::wstring> Lines(const TStringList& list) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
  return lines;
}

}  // namespace

TEST(StringList, TextSplitsOnEveryLineBreakKind) {
  TStringList list;
  list.SetText(L"a\r\nb\rc\nd");
  EXPECT_EQ(Lines(list), (std::vector<std::wstring>{L"a", L"b", L"c", L"d"}));
  list.SetText(L"x\r\n\r\ny\n");
  EXPECT_EQ(Lines(list), (std::vector<std::wstring>{L"x", L"", L"y"})) << "a final break adds no empty line";
  list.SetText(L"\n\r");
  EXPECT_EQ(Lines(list), (std::vector<std::wstring>{L"", L""})) << "LF CR is two breaks";
  list.SetText(L"");
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, TextJoinsWithCrLf) {
  TStringList list;
  list.Add(L"宋体");
  list.Add(L"");
  EXPECT_EQ(list.Text(), L"宋体\r\n\r\n");
}

TEST(StringList, ObjectsAndLookupAndIndexChecks) {
  TStringList list;
  int marker = 0;
  list.AddObject(L"dsound.dll", &marker);
  list.Add(L"other");
  EXPECT_EQ(list.IndexOf(L"dsound.dll"), 0);
  EXPECT_EQ(list.IndexOf(L"DSound.dll"), -1) << "lookup is exact";
  EXPECT_EQ(list.Objects(0), &marker);
  EXPECT_EQ(list.Objects(1), nullptr);
  EXPECT_THROW(list.Strings(2), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
  list.Delete(0);
  EXPECT_EQ(Lines(list), (std::vector<std::wstring>{L"other"}));
}
