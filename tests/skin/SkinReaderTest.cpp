#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "SkinTestData.h"
#include "skin/package/SkinReader.h"
#include "toolkit/core/Utf8.h"
#include "tools/skinpack/SkinPackage.h"

namespace {

// Expanded bytes laid out by hand, so damaged layouts can be made too.
Bytes Layout(int32_t marker, const std::string& table, std::vector<int32_t> sizes, const Bytes& data,
             std::optional<int32_t> tableLength = {}) {
  Bytes out;
  PutLe(out, static_cast<uint32_t>(marker), 4);
  PutLe(out, static_cast<uint32_t>(tableLength.value_or(static_cast<int32_t>(table.size()))), 4);
  PutLe(out, 7, 4);  // reserved words are not interpreted
  PutLe(out, 9, 4);
  out.insert(out.end(), table.begin(), table.end());
  for (int32_t size : sizes) PutLe(out, static_cast<uint32_t>(size), 4);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

struct TOpened {
  explicit TOpened(const Bytes& expanded) : TOpened(CompressWithCount(expanded), true) {}
  TOpened(const Bytes& compressed, bool) {
    Load(Package, compressed);
    Reader.SetOnOlderPackage([this](const std::wstring& message) { Notices.push_back(message); });
    Loaded = Reader.ReadPackage(Package);
  }
  Bytes File(const std::string& name) {
    TMemoryStream stream;
    Reader.ExtractFile(name, stream);
    EXPECT_EQ(stream.Position(), 0);
    return stream.Bytes();
  }

  TMemoryStream Package;
  TSkinReader Reader;
  std::vector<std::wstring> Notices;
  bool Loaded;
};

Bytes Ascii(const char* text) { return Bytes(text, text + std::char_traits<char>::length(text)); }

void ExpectRefused(TOpened& opened, const std::wstring& reasonPart) {
  EXPECT_FALSE(opened.Loaded);
  EXPECT_EQ(opened.Reader.FileCount(), 0);
  EXPECT_TRUE(opened.Notices.empty()) << "a damaged package is not reported as an older one";
  EXPECT_NE(opened.Reader.RefusalReason().find(reasonPart), std::wstring::npos)
      << ToUtf8(opened.Reader.RefusalReason());
}

}  // namespace

TEST(SkinReader, NamesAreLowerCasedAndFoundCaseBlind) {
  TOpened opened(ExpandedPackage({{"Skin.INI", Ascii("[Skin]")}, {"BUTTON.BMP", Ascii("bm")}}));
  ASSERT_TRUE(opened.Loaded);
  EXPECT_EQ(opened.Reader.FileNames(), (std::vector<std::string>{"skin.ini", "button.bmp"}));
  TMemoryStream stream;
  std::string name = "unchanged";
  opened.Reader.ExtractFirstContaining(".ini", stream, name);
  EXPECT_EQ(name, "skin.ini");
  EXPECT_EQ(stream.Bytes(), Ascii("[Skin]"));
  EXPECT_EQ(opened.File("Button.Bmp"), Ascii("bm"));
  opened.Reader.ExtractFirstContaining(".INI", stream, name);
  EXPECT_EQ(stream.Size(), 0) << "the text of a containment search is taken as given";
  EXPECT_EQ(name, "skin.ini") << "no match leaves the name alone";
}

TEST(SkinReader, FilesLieBackToBackAndEmptyOrMissingFilesGiveEmptyStreams) {
  Bytes third = MakeBmp(20, 10, 1);
  TOpened opened(ExpandedPackage({{"a.ini", Ascii("12345")}, {"b.bmp", Ascii("678")}, {"c.bmp", third},
                                  {"zero.bmp", {}}}));
  ASSERT_TRUE(opened.Loaded);
  EXPECT_EQ(opened.File("c.bmp"), third) << "the third file starts at 5 + 3";
  EXPECT_EQ(opened.File("b.bmp"), Ascii("678"));
  TMemoryStream stream;
  Load(stream, Ascii("old content"));
  opened.Reader.ExtractFile("zero.bmp", stream);
  EXPECT_EQ(stream.Size(), 0);
  Load(stream, Ascii("old content"));
  opened.Reader.ExtractFile("missing.bmp", stream);
  EXPECT_EQ(stream.Size(), 0);
}

TEST(SkinReader, OnlyTheFirstOfTwoEqualNamesIsEverReturned) {
  TOpened opened(Layout(20000, "x.bmp\r\nX.BMP\r\n", {2, 3}, Ascii("11222")));
  ASSERT_TRUE(opened.Loaded);
  EXPECT_EQ(opened.File("x.bmp"), Ascii("11"));
  TMemoryStream stream;
  std::string name;
  opened.Reader.ExtractFirstContaining("x", stream, name);
  EXPECT_EQ(stream.Bytes(), Ascii("11"));
}

TEST(SkinReader, OtherMarkersShowTheOlderFormatMessageAndLoadNothing) {
  for (int32_t marker : {19999, 20001, 0}) {
    TOpened opened(Layout(marker, "a.ini\r\n", {1}, Ascii("x")));
    EXPECT_FALSE(opened.Loaded);
    EXPECT_EQ(opened.Notices, (std::vector<std::wstring>{L"This is Older Skin File\rPlease update to new version !"}));
    EXPECT_EQ(opened.Reader.FileCount(), 0);
    EXPECT_EQ(opened.File("a.ini").size(), 0u);
  }
}

// The header decides: a package of another format that claims a huge size is
// not expanded any further, so refusing it reads only the start of its input.
TEST(SkinReader, AnotherMarkerStopsTheExpansionAtTheHeader) {
  Bytes compressed = CompressWithCount(Layout(19999, "a.bmp\r\n", {200000}, RandomBytes(200000, 7)));
  const uint32_t claimed = TSkinReader::kMaxExpandedSize;
  for (size_t k = 0; k < 4; ++k) compressed[k] = static_cast<uint8_t>(claimed >> (8 * k));
  TOpened opened(compressed, true);
  EXPECT_FALSE(opened.Loaded);
  EXPECT_EQ(opened.Notices.size(), 1u);
  EXPECT_LT(opened.Package.Position(), 64) << "of " << compressed.size() << " bytes";
}

TEST(SkinReader, NameTableLinesFollowTheTextRules) {
  EXPECT_EQ(SplitNameTable("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitNameTable("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitNameTable(std::string_view("a\r\nb\0c\r\n", 9)), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitNameTable(""), std::vector<std::string>{});
  EXPECT_EQ(LowerAscii("AZaz@[\xC4\xD6"), "azaz@[\xC4\xD6") << "only A to Z are lowered";
}

TEST(SkinReader, AnotherPackageReplacesTheFirst) {
  TOpened opened(ExpandedPackage({{"a.ini", Ascii("1")}}));
  Load(opened.Package, CompressWithCount(Layout(19999, "", {}, {})));
  EXPECT_FALSE(opened.Reader.ReadPackage(opened.Package));
  EXPECT_EQ(opened.File("a.ini").size(), 0u);
}

TEST(SkinReaderHostile, ExpandedSizeIsBoundedBeforeDecoding) {
  for (int32_t count : {-1, INT32_MIN, TSkinReader::kMaxExpandedSize + 1, INT32_MAX}) {
    Bytes compressed;
    PutLe(compressed, static_cast<uint32_t>(count), 4);
    TOpened opened(compressed, true);
    ExpectRefused(opened, L"expanded bytes");
  }
}

TEST(SkinReaderHostile, TablesRunningPastTheDataAreRefused) {
  TOpened longTable(Layout(20000, "a.ini\r\n", {1}, Ascii("x"), 5000));
  ExpectRefused(longTable, L"name table");
  TOpened negativeTable(Layout(20000, "a.ini\r\n", {1}, Ascii("x"), INT32_MIN));
  ExpectRefused(negativeTable, L"name table");
  TOpened shortSizes(Layout(20000, "a\r\nb\r\nc\r\n", {1}, {}));
  ExpectRefused(shortSizes, L"size table");
}

TEST(SkinReaderHostile, SizesMustBePositiveAndFitTheData) {
  TOpened negative(Layout(20000, "a\r\nb\r\n", {-4, 6}, Ascii("123456")));
  ExpectRefused(negative, L"negative");
  TOpened tooLong(Layout(20000, "a\r\nb\r\n", {3, 4}, Ascii("123456")));
  ExpectRefused(tooLong, L"run past");
  TOpened wrapping(Layout(20000, "a\r\nb\r\n", {INT32_MAX, INT32_MAX}, Ascii("12")));
  ExpectRefused(wrapping, L"run past");
  TOpened exact(Layout(20000, "a\r\nb\r\n", {2, 4}, Ascii("123456")));
  EXPECT_TRUE(exact.Loaded);
  EXPECT_EQ(exact.File("b"), Ascii("3456"));
}

TEST(SkinReaderHostile, AtMost1001FilesAreTaken) {
  for (int files : {1001, 1002}) {
    std::string table;
    for (int i = 0; i < files; ++i) table += "f" + std::to_string(i) + "\r\n";
    TOpened opened(Layout(20000, table, std::vector<int32_t>(static_cast<size_t>(files), 1),
                          Bytes(static_cast<size_t>(files), 'q')));
    if (files == 1001) {
      EXPECT_TRUE(opened.Loaded);
      EXPECT_EQ(opened.File("f1000"), Ascii("q"));
    } else {
      ExpectRefused(opened, L"1002 files");
    }
  }
}

TEST(SkinReaderHostile, ShortPackagesReadWhatTheyHold) {
  TOpened empty(Bytes{}, true);
  EXPECT_FALSE(empty.Loaded);
  EXPECT_EQ(empty.Notices.size(), 1u) << "a header of zeros has marker 0, an older format";
  TOpened headerOnly(Layout(20000, "", {}, {}));
  EXPECT_TRUE(headerOnly.Loaded);
  EXPECT_EQ(headerOnly.Reader.FileCount(), 0);
}

TEST(SkinPackageWriter, DescriptionFirstThenByteOrder) {
  EXPECT_EQ(PackageOrder({"b.bmp", "Skin.INI", "B.bmp", "a.bmp"}),
            (std::vector<std::string>{"Skin.INI", "B.bmp", "a.bmp", "b.bmp"}));
  EXPECT_THROW(PackageOrder({"a.bmp"}), ESkinToolError);
  EXPECT_THROW(PackageOrder({"a.ini", "b.ini"}), ESkinToolError);
}
