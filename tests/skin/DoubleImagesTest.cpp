// Pictures drawn at twice the size beside a skin's images: how their names
// pair, what the packer refuses, and that a package hands them back by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/package/DoubleImages.h"
#include "skin/package/SkinReader.h"
#include "toolkit/core/Utf8.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SampleSkin.h"

namespace {

std::vector<TPackageFile> WithDescription(std::vector<TPackageFile> files) {
  files.insert(files.begin(), {"skin.ini", {'[', 'a', ']'}});
  return files;
}

// What the packer says of files, or "" when it takes them.
std::string Refusal(const std::vector<TPackageFile>& files) {
  try {
    CheckDoubleImages(WithDescription(files));
  } catch (const ESkinToolError& error) {
    return ToUtf8(error.Message());
  }
  return "";
}

}  // namespace

TEST(DoubleImages, NamesPairOnlyForBmpFilesInAnyLetterCase) {
  EXPECT_EQ(DoubleImageName("close.bmp"), "close@2x.bmp");
  EXPECT_EQ(DoubleImageName("Title.Close.BMP"), "Title.Close@2x.BMP");
  EXPECT_EQ(SingleImageName("Title.Close@2X.BMP"), "Title.Close.BMP");
  for (const char* name : {"close@2x.bmp", "close.png", ".bmp", "bmp", "", "close.bmp.txt"})
    EXPECT_EQ(DoubleImageName(name), "") << name;
  for (const char* name : {"close.bmp", "@2x.bmp", "close@3x.bmp", "close@2x.png", "close@2x"})
    EXPECT_EQ(SingleImageName(name), "") << name;
  EXPECT_EQ(SingleImageName(DoubleImageName("a.bmp")), "a.bmp");
  EXPECT_EQ(DoubleImageMismatch(10, 6, 20, 12), L"");
  EXPECT_EQ(DoubleImageMismatch(10, 6, 20, 13), L"the @2x picture is 20x13, not twice 10x6");
  EXPECT_NE(DoubleImageMismatch(10, 6, 10, 6), L"");
  EXPECT_NE(DoubleImageMismatch(0, 0, 0, 0), L"") << "an empty image has no double";
}

TEST(DoubleImages, ThePackerTakesExactDoublesAndRefusesOrphansWrongSizesAndNonPictures) {
  const std::vector<uint8_t> a = MakeBmp(10, 6, 1), a2 = MakeBmp(20, 12, 2);
  EXPECT_EQ(Refusal({{"a.bmp", a}, {"a@2x.bmp", a2}, {"B.BMP", MakeBmp(3, 3, 3)}, {"b@2x.bmp", MakeBmp(6, 6, 4)}}),
            "");
  EXPECT_EQ(Refusal({{"c@2x.bmp", a2}}), "c@2x.bmp has no c.bmp beside it");
  EXPECT_EQ(Refusal({{"a.bmp", a}, {"a@2x.bmp", MakeBmp(21, 12, 5)}}),
            "a@2x.bmp: the @2x picture is 21x12, not twice 10x6");
  EXPECT_EQ(Refusal({{"a.bmp", a}, {"a@2x.bmp", MakeBmp(20, 11, 5)}}),
            "a@2x.bmp: the @2x picture is 20x11, not twice 10x6");
  EXPECT_EQ(Refusal({{"a.bmp", a}, {"a@2x.bmp", a}}), "a@2x.bmp: the @2x picture is 10x6, not twice 10x6");
  EXPECT_EQ(Refusal({{"a.bmp", a}, {"a@2x.bmp", std::vector<uint8_t>(a2.begin(), a2.begin() + 40)}}),
            "a@2x.bmp is not a picture the program can read");
  EXPECT_EQ(Refusal({{"a.bmp", {}}, {"a@2x.bmp", a2}}), "a.bmp is not a picture the program can read");
  EXPECT_EQ(Refusal({{"a.png", a}, {"a@2x.png", a}}), "") << "only bitmaps pair";

  // A package keeps them as files of their own, found by the paired name.
  std::vector<uint8_t> package = CompressWithCount(ExpandedPackage(WithDescription({{"A.bmp", a}, {"A@2x.bmp", a2}})));
  TMemoryStream stream, file;
  stream.WriteBuffer(package.data(), static_cast<int32_t>(package.size()));
  TSkinReader reader;
  ASSERT_TRUE(reader.ReadPackage(stream));
  reader.ExtractFile(DoubleImageName("a.bmp"), file);
  EXPECT_EQ(file.Bytes(), a2);
}
