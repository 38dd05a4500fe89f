// A skin description, packed with its bitmaps as skins are shipped, loaded
// into the model: keys, defaults, frame counts and the title buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/model/SkinData.h"
#include "support/BitmapPixels.h"
#include "toolkit/core/MemoryStream.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SampleSkin.h"

namespace {

struct TBmp {
  std::string Name;
  int Width;
  int Height;
};

// Loads a package of the description and bitmaps of the given sizes.
class SkinDescription : public ::testing::Test {
 protected:
  void Load(const std::string& description, const std::vector<TBmp>& bitmaps = {},
            const std::vector<TPackageFile>& others = {}) {
    std::vector<TPackageFile> files{{"skin.ini", std::vector<uint8_t>(description.begin(), description.end())}};
    uint32_t seed = 1;
    for (const TBmp& bmp : bitmaps) files.push_back({bmp.Name, MakeBmp(bmp.Width, bmp.Height, seed++)});
    files.insert(files.end(), others.begin(), others.end());
    std::vector<uint8_t> package = CompressWithCount(ExpandedPackage(files));
    Skin.SkinStreamData.SetSize(0);
    Skin.SkinStreamData.WriteBuffer(package.data(), static_cast<int32_t>(package.size()));
    ASSERT_TRUE(Skin.LoadSkin());
    ASSERT_FALSE(Skin.SkinNotReady);
  }

  TSkinData Skin{nullptr};
};

}  // namespace

TEST_F(SkinDescription, MissingSectionsAndKeysGiveDefaults) {
  Load("[TitlebarSkin]\r\nSkinName=Bare\r\n");
  EXPECT_EQ(Skin.SkinName, L"Bare");
  EXPECT_EQ(Skin.Colours.ButtonFace, SystemColor(COLOR_BTNFACE));
  EXPECT_EQ(Skin.Colours.Menubar, SystemColor(COLOR_BTNFACE));
  EXPECT_EQ(Skin.Colours.TitleTextNoActive, SystemColor(COLOR_INACTIVECAPTIONTEXT));
  EXPECT_TRUE(Skin.ExtraColours.empty());
  EXPECT_TRUE(Skin.Buttons.Image.Empty());
  EXPECT_EQ(Skin.Buttons.FrameCount, 5);
  EXPECT_EQ(Skin.Buttons.RadioButtonFrame, 4);
  EXPECT_EQ(Skin.Buttons.NormalColour, -1);
  EXPECT_EQ(Skin.Buttons.NormalColour2, SystemColor(COLOR_BTNTEXT));
  EXPECT_FALSE(Skin.Buttons.HasNormalColour2);
  for (TDataSkinBorder* border : {&Skin.LeftBorder, &Skin.RightBorder, &Skin.TopBorder, &Skin.BottomBorder}) {
    EXPECT_EQ(border->FrameCount, 1) << border->Name;
    EXPECT_EQ(border->Tile, 1);
    EXPECT_EQ(border->Trans, 1);
    EXPECT_TRUE(border->Image.Empty());
  }
  EXPECT_EQ(Skin.Title.FontHeight, 14);
  EXPECT_EQ(Skin.Title.ActiveText, kColourNotSet);
  EXPECT_EQ(Skin.TitleButtons.size(), 3u) << "only the three MDI buttons";
  EXPECT_FALSE(Skin.MenuBar || Skin.Progress || Skin.ComboButton || Skin.Scrollbar || Skin.UpDownVert);
}

TEST_F(SkinDescription, ColoursTitleTextAndExtraColourSections) {
  Load("[Colours]\r\nButtonFace=1,2,3\r\nHilight=0 0 255\r\nWindowText=\r\n"
       "[Colour1]\r\ncolor=10,20,30\r\n[Personality]\r\nTextShift=3\r\nTextShiftVert=2\r\nTextRightClip=40\r\n"
       "ActiveTextR=300\r\nActiveTextG=2\r\nActiveTextB=3\r\nInActiveTextR=5\r\nInActiveTextG=5\r\n"
       "[colourTwo]\r\nsomething=1\r\n[Fonts]\r\nFontHeight=11\r\n");
  EXPECT_EQ(Skin.Colours.ButtonFace, 0x030201);
  EXPECT_EQ(Skin.Colours.Menubar, 0x030201) << "falls back to the button face just read";
  EXPECT_EQ(Skin.Colours.Hilight, 0xFF0000);
  EXPECT_EQ(Skin.Colours.WindowText, SystemColor(COLOR_WINDOWTEXT)) << "an empty value is a missing one";
  EXPECT_EQ(Skin.ExtraColours, (std::vector<TColor>{0x1E140A, TColor(0xFF000008)}));
  EXPECT_EQ(Skin.Title.LeftWidth, 3);
  EXPECT_EQ(Skin.Title.TopHeight, 2);
  EXPECT_EQ(Skin.Title.RightWidth, 40);
  EXPECT_EQ(Skin.Title.ActiveText, 44 + 2 * 256 + 3 * 65536);
  EXPECT_EQ(Skin.Title.InActiveText, kColourNotSet) << "blue is missing";
  EXPECT_EQ(Skin.Title.FontHeight, 11);
  EXPECT_NE(Skin.BackgroundBrush.Get(), nullptr);
}

TEST_F(SkinDescription, TitleButtonsAreFilteredAndCountTheirFrames) {
  Load("[Button1]\r\nAction=-1\r\nVisibility=1\r\nButtonImage=a.bmp\r\n"
       "[Button2]\r\nAction=-1\r\nVisibility=0\r\nButtonImage=a.bmp\r\n"
       "[Buttons]\r\n[Button.Radio]\r\n[BUTTON]\r\n[NotAButton]\r\n"
       "[ButtonWide]\r\nAction=0\r\nButtonImage=wide.bmp\r\n"
       "[ButtonSquare]\r\nAction=1\r\nXcoord=20\r\nButtonImage=square.bmp\r\n"
       "[ButtonCounted]\r\nframe=4\r\nButtonImage=square.bmp\r\n"
       "[ButtonIcon]\r\nAction=3\r\nButtonImage=square.bmp\r\n"
       "[MDICONTROLS]\r\nImage=mdi.bmp\r\n",
       {{"a.bmp", 60, 20}, {"mdi.bmp", 120, 10}, {"square.bmp", 90, 30}, {"wide.bmp", 120, 20}});
  std::vector<std::wstring> names;
  for (auto& button : Skin.TitleButtons) names.push_back(button->Name);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"BUTTON2", L"BUTTONWIDE", L"BUTTONSQUARE", L"BUTTONCOUNTED",
                                              L"BUTTONICON", L"MDICONTROLS", L"MDICONTROLS", L"MDICONTROLS"}));
  EXPECT_EQ(Skin.TitleButtons[0]->FrameCount, 6) << "no action";
  EXPECT_EQ(Skin.TitleButtons[0]->Visibility1, -1);
  EXPECT_EQ(Skin.TitleButtons[1]->FrameCount, 6) << "120 x 20";
  EXPECT_EQ(Skin.TitleButtons[2]->FrameCount, 3) << "90 x 30";
  EXPECT_EQ(Skin.TitleButtons[2]->Xcoord, 20);
  EXPECT_EQ(Skin.TitleButtons[2]->CombineOp, -1);
  EXPECT_EQ(Skin.TitleButtons[3]->FrameCount, 4);
  EXPECT_TRUE(Skin.TitleButtons[4]->Image.Empty()) << "the icon button draws the window's icon";
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton& mdi = *Skin.TitleButtons[5 + i];
    EXPECT_EQ(mdi.Action, 7 + i);
    EXPECT_EQ(mdi.Align, 100);
    EXPECT_EQ(mdi.FrameCount, 4);
    EXPECT_EQ(mdi.Image.Width(), 40);
    EXPECT_EQ(mdi.Image.Height(), 10);
    EXPECT_EQ(mdi.Xcoord, 42 - 14 * i);
  }
}

TEST_F(SkinDescription, GlyphCountsTilesAndBitmapNames) {
  Load("[Buttons]\r\nBitmap=b.bmp\r\nTile=2\r\nRadioButton=radio.bmp\r\nCheckButton=check.bmp\r\n"
       "PressedColour2=1,2,3\r\nNormalColour=7\r\n"
       "[MenuItem]\r\nImage=skins\\deep/m.bmp\r\nTile=2\r\nLeftWidth=abc\r\nTopHeight=$10\r\n"
       "[SunkEdge]\r\nImage=m.BMP\r\n[ExtraImages]\r\nImage=absent.bmp\r\n"
       "[Progress]\r\nBitmap=m.bmp\r\nChunk=b.bmp\r\nTile=3\r\n",
       {{"b.bmp", 50, 20}, {"check.bmp", 96, 16}, {"m.bmp", 30, 12}, {"radio.bmp", 52, 13}});
  EXPECT_EQ(Skin.Buttons.RadioButtonFrame, 4) << "52 x 13: glyphs 13 wide";
  EXPECT_EQ(Skin.Buttons.CheckButtonFrame, 6) << "96 x 16: glyphs 16 wide";
  EXPECT_EQ(Skin.Buttons.Tile, 2) << "kept as read";
  EXPECT_TRUE(Skin.Buttons.HasPressedColour2);
  EXPECT_EQ(Skin.Buttons.PressedColour2, 0x030201);
  EXPECT_EQ(Skin.Buttons.NormalColour, 7);
  ASSERT_TRUE(Skin.MenuItem);
  EXPECT_EQ(Skin.MenuItem->Tile, 0) << "anything above 1 stretches";
  EXPECT_EQ(Skin.MenuItem->Image.Width(), 30) << "the path part is ignored";
  EXPECT_EQ(Skin.MenuItem->LeftWidth, 0);
  EXPECT_EQ(Skin.MenuItem->TopHeight, 16);
  EXPECT_EQ(Skin.MenuItem->FrameCount, 5);
  ASSERT_TRUE(Skin.SunkEdge) << "the element exists: its key has a value";
  EXPECT_TRUE(Skin.SunkEdge->Image.Empty()) << ".BMP in capitals is not a bitmap name";
  ASSERT_TRUE(Skin.ExtraImages);
  EXPECT_TRUE(Skin.ExtraImages->Image.Empty());
  ASSERT_TRUE(Skin.Progress);
  EXPECT_EQ(Skin.Progress->Tile, 3);
  EXPECT_EQ(Skin.Progress->NormalColour, 0);
  EXPECT_EQ(Skin.Progress->SecondImage.Width(), 50);
  EXPECT_EQ(Skin.Progress->FrameCount, 2);

  Load("[Buttons]\r\nRadioButton=radio.bmp\r\n", {{"radio.bmp", 20, 16}});
  EXPECT_EQ(Skin.Buttons.RadioButtonFrame, 4) << "at least four";
  EXPECT_EQ(Skin.Buttons.Tile, 0);
  EXPECT_FALSE(Skin.MenuItem || Skin.Progress || Skin.SunkEdge) << "a new skin drops the old elements";
}

TEST_F(SkinDescription, FrameBordersAndTheMirroredComboButton) {
  Load("[Personality]\r\nLeft=side.bmp\r\nLeftTopHeight=30\r\nLeftBotHeight=4\r\nLeftFrame=2\r\nLeftStretch=0\r\n"
       "Top=side.bmp\r\nTopTopHeight=8\r\nTopBotHeight=9\r\nTopTrans=0\r\n"
       "[ComboButton]\r\nImage=combo.bmp\r\n[HorzScrollThumb]\r\nImage=side.bmp\r\nFrameCount=x\r\n"
       "[VertScrollThumb]\r\nImage=side.bmp\r\nFrameCount=2\r\n",
       {{"combo.bmp", 64, 16}, {"side.bmp", 8, 40}});
  EXPECT_EQ(Skin.LeftBorder.TopHeight, 30);
  EXPECT_EQ(Skin.LeftBorder.BottomHeight, 4);
  EXPECT_EQ(Skin.LeftBorder.FrameCount, 2);
  EXPECT_EQ(Skin.LeftBorder.Tile, 0);
  EXPECT_EQ(Skin.LeftBorder.Image.Height(), 40);
  EXPECT_EQ(Skin.TopBorder.LeftWidth, 8) << "across the window the margins are widths";
  EXPECT_EQ(Skin.TopBorder.RightWidth, 9);
  EXPECT_EQ(Skin.TopBorder.TopHeight, 0);
  EXPECT_EQ(Skin.TopBorder.Trans, 0);
  EXPECT_TRUE(Skin.RightBorder.Image.Empty());
  EXPECT_EQ(Skin.HorzScrollThumb->FrameCount, 3);
  EXPECT_EQ(Skin.VertScrollThumb->FrameCount, 2);

  ASSERT_TRUE(Skin.ComboButton);
  TBitmap& image = Skin.ComboButton->Image;
  TBitmap& mirrored = Skin.ComboButton->SecondImage;
  ASSERT_EQ(mirrored.Width(), 64);
  ASSERT_EQ(mirrored.PixelFormat(), pf24bit);
  for (int y : {0, 7, 15})
    for (int x : {0, 5, 63})
      EXPECT_EQ(0, memcmp(mirrored.ScanLine(y) + 3 * x, image.ScanLine(y) + 3 * (63 - x), 3)) << x << "," << y;
}

namespace {

void Decode(const std::vector<uint8_t>& bmp, TBitmap& bitmap) {
  TMemoryStream stream;
  stream.WriteBuffer(bmp.data(), static_cast<int32_t>(bmp.size()));
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
}

std::vector<COLORREF> PixelsOf(const TBitmap& bitmap) { return AllPixels(const_cast<TBitmap&>(bitmap)); }

// The bitmap of source's frames across, each resampled from fromDpi to toDpi.
std::vector<COLORREF> Resampled(const TBitmap& source, int frames, int fromDpi, int toDpi, int width96) {
  TBitmap scaled;
  ScaleSkinBitmap(source, scaled, frames, 1, fromDpi, toDpi, width96, 0);
  return PixelsOf(scaled);
}

}  // namespace

TEST_F(SkinDescription, DoubleImagesStandInFrom175PercentUpOnlyWhenExactlyTwiceTheirImage) {
  const std::vector<uint8_t> left2x = MakeBmp(16, 80, 41), combo2x = MakeBmp(128, 32, 42);
  Load("[Personality]\r\nLeft=left.bmp\r\nLeftFrame=2\r\n"
       "[Button.Close]\r\nAction=0\r\nframe=4\r\nButtonImage=close.bmp\r\n"
       "[Buttons]\r\nCheckButton=check.bmp\r\nCheckButtonFrame=4\r\nRadioButton=radio.bmp\r\n"
       "[ComboButton]\r\nImage=combo.bmp\r\n",
       {{"left.bmp", 8, 40}, {"close.bmp", 112, 20}, {"check.bmp", 52, 13}, {"combo.bmp", 64, 16},
        {"radio.bmp", 52, 13}},
       {{"left@2x.bmp", left2x},
        {"close@2x.bmp", MakeBmp(224, 41, 43)},  // one row too many
        {"check@2x.bmp", std::vector<uint8_t>(300, 0x42)},  // no picture at all
        {"combo@2x.bmp", combo2x},
        {"nothing@2x.bmp", MakeBmp(20, 20, 44)}});  // stands for no image of the skin
  TBitmap left, combo;
  Decode(left2x, left);
  Decode(combo2x, combo);

  ASSERT_NE(Skin.DoubleOf(Skin.LeftBorder.Image), nullptr);
  EXPECT_EQ(PixelsOf(*Skin.DoubleOf(Skin.LeftBorder.Image)), PixelsOf(left));
  TDataSkinSysButton& close = *Skin.TitleButtons.at(0);
  EXPECT_EQ(Skin.DoubleOf(close.Image), nullptr);
  EXPECT_EQ(Skin.DoubleOf(Skin.Buttons.CheckButton), nullptr);
  EXPECT_EQ(Skin.DoubleOf(Skin.Buttons.RadioButton), nullptr) << "the package has none";
  ASSERT_EQ(Skin.SkippedDoubleImages.size(), 2u);
  EXPECT_NE(Skin.SkippedDoubleImages[0].find(L"close.bmp: the @2x picture is 224x41, not twice 112x20"),
            std::wstring::npos);
  EXPECT_NE(Skin.SkippedDoubleImages[1].find(L"check.bmp: the @2x picture cannot be read"), std::wstring::npos);

  // At 200 % the @2x picture as it is; from 175 % resampled from it; below, from the 1x image.
  EXPECT_EQ(PixelsOf(Skin.FrameSkinAt(192).Left->Image), PixelsOf(left));
  for (int dpi : {168, 288}) {
    TBitmap& scaled = Skin.FrameSkinAt(dpi).Left->Image;
    EXPECT_EQ(scaled.Width(), 2 * TDpiScale(dpi).Scale(4)) << dpi;
    EXPECT_EQ(PixelsOf(scaled), Resampled(left, 2, 192, dpi, 4)) << dpi;
    EXPECT_NE(PixelsOf(scaled), Resampled(Skin.LeftBorder.Image, 2, 96, dpi, 4)) << dpi;
  }
  for (int dpi : {120, 144, 167})
    EXPECT_EQ(PixelsOf(Skin.FrameSkinAt(dpi).Left->Image), Resampled(Skin.LeftBorder.Image, 2, 96, dpi, 4)) << dpi;

  // The ill-sized and the unreadable ones leave their images to be resampled.
  EXPECT_EQ(PixelsOf(Skin.FrameSkinAt(192).Buttons.at(0)->Image), Resampled(close.Image, 4, 96, 192, 28));
  EXPECT_EQ(PixelsOf(Skin.ControlSkinAt(192).Buttons->CheckButton),
            Resampled(Skin.Buttons.CheckButton, 4, 96, 192, 13));

  // The combo box's button for a drop-down opening to the left is the @2x picture mirrored.
  TBitmap& mirrored = Skin.ControlSkinAt(192).ComboButton->SecondImage;
  ASSERT_EQ(mirrored.Width(), 128);
  for (int y : {0, 15, 31})
    for (int x : {0, 9, 127}) EXPECT_EQ(PixelAt(mirrored, x, y), PixelAt(combo, 127 - x, y)) << x << "," << y;
  EXPECT_EQ(PixelsOf(Skin.ControlSkinAt(192).ComboButton->Image), PixelsOf(combo));

  // A skin without them forgets them, also where a new image lies where an old one did.
  Load("[Personality]\r\nLeft=left.bmp\r\nLeftFrame=2\r\n", {{"left.bmp", 8, 40}});
  EXPECT_EQ(Skin.DoubleOf(Skin.LeftBorder.Image), nullptr);
  EXPECT_TRUE(Skin.SkippedDoubleImages.empty());
  EXPECT_EQ(PixelsOf(Skin.FrameSkinAt(192).Left->Image), Resampled(Skin.LeftBorder.Image, 2, 96, 192, 4));
}
