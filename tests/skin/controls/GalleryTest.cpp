// The gallery: its pictures, and the GDI and USER objects of every control
// skinner in every state through many repaints, skin reloads and switches
// of the skin off and on; and the PNG files it writes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <vector>

#include "skin/model/SkinShared.h"
#include "support/GuiObjects.h"
#include "tools/gallery/Gallery.h"
#include "tools/gallery/GalleryHost.h"
#include "tools/gallery/PngFile.h"
#include "toolkit/platform/Application.h"
#include "toolkit/platform/FileStream.h"

namespace {

std::vector<uint8_t> FileBytes(const std::wstring& path) {
  TFileStream file(path, fmOpenRead);
  std::vector<uint8_t> bytes(size_t(file.Size()));
  file.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  return bytes;
}

uint32_t BigEndian(const uint8_t* bytes) {
  return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

class Gallery : public ::testing::Test {
 protected:
  void SetUp() override {
    Application.Initialize();
    StartSkinShared();
    ASSERT_TRUE(LoadSkinResource(Skin, L"QUILLSKIN"));
  }
  void TearDown() override { StopSkinShared(); }
  // What every painted bitmap holds besides, and what lives only while painting goes on, is freed first.
  TGuiObjects Objects() {
    Application.ProcessMessages();
    FreeBitmapContexts();
    return CountGuiObjects();
  }
  TSkinData Skin{nullptr};
};

}  // namespace

TEST_F(Gallery, ObjectCountsStayThroughRepaintsReloadsAndSwitchesInEveryState) {
  TGalleryForm form(nullptr);
  TGalleryHost formHost(nullptr);
  form.Show();
  formHost.SkinForm(form, Skin);
  form.ShowStates(true);
  TGalleryDialog dialog(form.Handle());
  TGalleryHost dialogHost(nullptr);
  dialogHost.SkinWindow(dialog.Handle(), Skin);
  dialog.ShowStates();
  auto repaint = [&] {
    form.RepaintAll();
    RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  };
  auto reload = [&] {
    ASSERT_TRUE(Skin.LoadSkin());
    formHost.SkinChanged();
    dialogHost.SkinChanged();
    repaint();
  };
  auto switchOffAndOn = [&] {
    formHost.Unskin();
    dialogHost.Unskin();
    repaint();
    formHost.SkinForm(form, Skin);
    form.ShowStates(true);
    dialogHost.SkinWindow(dialog.Handle(), Skin);
    dialog.ShowStates();
    repaint();
  };
  // Once each, so that what is made once and kept exists before counting.
  repaint();
  reload();
  switchOffAndOn();
  const int skinners = formHost.SkinnerCount() + dialogHost.SkinnerCount();
  ASSERT_GT(skinners, 40);
  const TGuiObjects before = Objects();

  for (int i = 0; i < 500; ++i) repaint();
  EXPECT_EQ(Objects(), before) << "after 500 repaints";
  for (int i = 0; i < 10; ++i) reload();
  EXPECT_EQ(Objects(), before) << "after 10 skin reloads";
  for (int i = 0; i < 10; ++i) switchOffAndOn();
  EXPECT_EQ(Objects(), before) << "after 10 switches off and on";
  EXPECT_EQ(formHost.SkinnerCount() + dialogHost.SkinnerCount(), skinners);
  std::printf("GDI %lu, USER %lu objects throughout, %d skinners\n", before.Gdi, before.User, skinners);
}

TEST_F(Gallery, WritesTheFormSkinnedAndPlainAndTheDialog) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"quill-gallery-" + std::to_wstring(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  WriteGallery(Skin, folder);
  std::vector<std::vector<uint8_t>> pictures;
  for (const wchar_t* name : {L"\\gallery.png", L"\\gallery-plain.png", L"\\dialog.png"}) {
    pictures.push_back(FileBytes(folder + name));
    DeleteFileW((folder + name).c_str());
    ASSERT_GT(pictures.back().size(), 1000u) << name;
    EXPECT_EQ(pictures.back()[1], 'P');
  }
  RemoveDirectoryW(folder.c_str());
  EXPECT_EQ(BigEndian(&pictures[0][16]), BigEndian(&pictures[1][16])) << "the same form, as wide";
  EXPECT_NE(pictures[0], pictures[1]) << "the skin shows";
}

TEST(PngFile, RowsGoUnfilteredIntoStoredBlocksWithTheirChecksums) {
  // 2 x 2: red, green / blue, white.
  const std::vector<uint8_t> rgb{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  const std::vector<uint8_t> png = EncodePng(2, 2, rgb);
  ASSERT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  size_t at = 8;
  std::vector<std::string> chunks;
  std::vector<uint8_t> data;
  while (at + 12 <= png.size()) {
    const uint32_t length = BigEndian(&png[at]);
    ASSERT_LE(at + 12 + length, png.size());
    chunks.emplace_back(png.begin() + std::ptrdiff_t(at + 4), png.begin() + std::ptrdiff_t(at + 8));
    EXPECT_EQ(BigEndian(&png[at + 8 + length]), PngCrc(&png[at + 4], length + 4)) << chunks.back();
    if (chunks.back() == "IDAT") data.assign(png.begin() + std::ptrdiff_t(at + 8), png.begin() + std::ptrdiff_t(at + 8 + length));
    at += 12 + length;
  }
  EXPECT_EQ(at, png.size());
  EXPECT_EQ(chunks, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  // zlib header, one final stored block of 14 bytes (2 rows of a filter byte and 6 bytes), then Adler-32.
  const std::vector<uint8_t> rows{0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 255, 255, 255};
  ASSERT_EQ(data.size(), 2u + 5u + rows.size() + 4u);
  EXPECT_EQ(data[2], 1) << "final, stored";
  EXPECT_EQ(data[3] | data[4] << 8, 14);
  EXPECT_EQ((data[5] | data[6] << 8) ^ 0xFFFF, 14);
  EXPECT_EQ(std::vector<uint8_t>(data.begin() + 7, data.begin() + 21), rows);
  EXPECT_EQ(BigEndian(&data[21]), Adler32(rows.data(), rows.size()));
  EXPECT_THROW(EncodePng(3, 2, rgb), std::invalid_argument);
}
