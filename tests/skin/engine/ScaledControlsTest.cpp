// The skinned controls and menus on a display of another scale: ctest runs
// this program at 144 and 192 DPI (QUILL_DPI, each in a Wine prefix of that
// DPI). Read back from the pixels the skinners paint, every fixed-size glyph
// the skin gives a control (check and radio boxes, the combo box's arrow, the
// up-down arrows) is its 96-DPI size taken to the scale, and so are, read
// from the screen, a drop-down's check mark and image-list glyph; repainting
// everything leaves the object counts where they were.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "SkinnedWindows.h"
#include "skin/controls/ComboBoxGeometry.h"
#include "skin/controls/ControlFrames.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/UpDownGeometry.h"
#include "skin/engine/WinSkinMenu.h"
#include "skin/package/DoubleImages.h"
#include "support/BitmapPixels.h"
#include "support/GuiObjects.h"
#include "toolkit/core/DisplayScale.h"
#include "toolkit/core/Utf8.h"
#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/RadioButtons.h"
#include "toolkit/forms/RangeControls.h"
#include "toolkit/forms/StdCtrls.h"
#include "toolkit/graphics/ImgList.h"
#include "toolkit/platform/DisplayDpi.h"
#include "tools/gallery/Gallery.h"

namespace {

int DisplayDpiOfTheRun() {
  const char* dpi = std::getenv("QUILL_DPI");
  return dpi && *dpi ? std::atoi(dpi) : kLayoutDpi;
}

// A pixel is ink when its brightness stands this far from the background's.
constexpr int kInkContrast = 48;

int Brightness(COLORREF colour) {
  return (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
}

// Pixels read from somewhere: the screen, or a skin image.
struct TPixels {
  int Width = 0, Height = 0;
  std::vector<COLORREF> Colours;
  COLORREF At(int x, int y) const { return Colours[size_t(y) * size_t(Width) + size_t(x)]; }
};

// What the screen shows of a window's rectangle (screen coordinates).
TPixels ScreenShot(const RECT& rect) {
  TPixels pixels{rect.right - rect.left, rect.bottom - rect.top, {}};
  TBitmap shot;
  shot.SetSize(pixels.Width, pixels.Height);
  {
    TWindowDC screen(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, pixels.Width, pixels.Height, screen.Get(), rect.left, rect.top, SRCCOPY);
  }
  GdiFlush();
  pixels.Colours = AllPixels(shot);
  return pixels;
}

// What a control's skinner paints of it, on a bitmap of the window's size
// filled with the face colour first: the form at these scales is larger
// than the test's screen.
TPixels PaintedBy(TSkinControl& skinner, HWND wnd, COLORREF face) {
  const RECT bounds = WindowBounds(wnd);
  TBitmap picture;
  MakeFilled(picture, bounds.right - bounds.left, bounds.bottom - bounds.top, face);
  skinner.Repaint(picture.Canvas().Handle());
  GdiFlush();
  return {picture.Width(), picture.Height(), AllPixels(picture)};
}

// Frame `frame` (1-based) of count side by side, the skin's transparent
// pixels shown as background.
TPixels FrameOf(TBitmap& image, int count, int frame, COLORREF background) {
  const int width = image.Width() / count;
  TPixels pixels{width, image.Height(), {}};
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < width; ++x) {
      COLORREF colour = PixelAt(image, (frame - 1) * width + x, y);
      pixels.Colours.push_back(colour == kSkinTransparent ? background : colour);
    }
  return pixels;
}

// The box around the ink within area; empty without any.
TSkinRect InkBox(const TPixels& pixels, const TSkinRect& area, COLORREF background) {
  TSkinRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = std::max(area.Top, 0); y < std::min(area.Bottom, pixels.Height); ++y)
    for (int x = std::max(area.Left, 0); x < std::min(area.Right, pixels.Width); ++x)
      if (std::abs(Brightness(pixels.At(x, y)) - Brightness(background)) > kInkContrast)
        box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
  return box.Left == INT_MAX ? TSkinRect{} : box;
}

TSkinRect InkBox(const TPixels& pixels, COLORREF background) {
  return InkBox(pixels, {0, 0, pixels.Width, pixels.Height}, background);
}

// The box around the first run of inked columns from the left of area: a
// glyph before the caption that follows it.
TSkinRect FirstInkRun(const TPixels& pixels, const TSkinRect& area, COLORREF background) {
  int first = -1, last = -1;
  for (int x = area.Left; x < area.Right; ++x) {
    const bool inked = !InkBox(pixels, {x, area.Top, x + 1, area.Bottom}, background).IsEmpty();
    if (inked && first < 0) first = x;
    if (inked) last = x;
    if (!inked && first >= 0) break;
  }
  return first < 0 ? TSkinRect{} : InkBox(pixels, {first, area.Top, last + 1, area.Bottom}, background);
}

void ExpectScaled(const TSkinRect& drawn, const TSkinRect& skin, const TDpiScale& scale, const std::string& what) {
  ASSERT_FALSE(skin.IsEmpty()) << what << ": the skin's glyph has no ink";
  ASSERT_FALSE(drawn.IsEmpty()) << what << ": nothing drawn";
  EXPECT_LE(std::abs(drawn.Width() - scale.Scale(skin.Width())), 1)
      << what << " width " << drawn.Width() << " for " << skin.Width() << " at 96 DPI";
  EXPECT_LE(std::abs(drawn.Height() - scale.Scale(skin.Height())), 1)
      << what << " height " << drawn.Height() << " for " << skin.Height() << " at 96 DPI";
}

TSkinRect Inset(const TSkinRect& rect, int by) {
  return {rect.Left + by, rect.Top + by, rect.Right - by, rect.Bottom - by};
}

// The pixels of each item of a menu window, while it is open.
std::vector<TPixels> ItemPixels(HWND owner, HMENU menu) {
  std::vector<TPixels> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    RECT item{};
    GetMenuItemRect(owner, menu, UINT(i), &item);
    items.push_back(ScreenShot(item));
  }
  return items;
}

// The box of the pixels that differ between two pictures of the same size.
TSkinRect Difference(const TPixels& a, const TPixels& b) {
  TSkinRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  if (a.Width != b.Width || a.Height != b.Height) return {};
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x)
      if (a.At(x, y) != b.At(x, y))
        box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
  return box.Left == INT_MAX ? TSkinRect{} : box;
}

// A picture of the skin package stored under resource, read apart from the model.
void PackagePicture(const wchar_t* resource, const std::string& name, TBitmap& picture) {
  const Bytes bytes = SkinPackageResource(resource);
  TMemoryStream package, file;
  package.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  TSkinReader reader;
  ASSERT_TRUE(reader.ReadPackage(package));
  reader.ExtractFile(name, file);
  ASSERT_GT(file.Size(), 0) << name;
  picture.LoadFromStream(file);
}

// How many pixels of the glyph drawn within area differ from the glyph in
// frame `frame` of count of glyphs, each placed by its ink.
int DifferingPixels(const TPixels& shown, const TSkinRect& area, TBitmap& glyphs, int count, int frame,
                    COLORREF background) {
  const TPixels glyph = FrameOf(glyphs, count, frame, background);
  const TSkinRect inked = InkBox(glyph, background), drawn = FirstInkRun(shown, area, background);
  if (inked.IsEmpty() || drawn.IsEmpty()) return INT_MAX;
  int differing = 0;
  for (int y = inked.Top; y < inked.Bottom; ++y)
    for (int x = inked.Left; x < inked.Right; ++x) {
      const int sx = drawn.Left + x - inked.Left, sy = drawn.Top + y - inked.Top;
      if (sx >= shown.Width || sy >= shown.Height || shown.At(sx, sy) != glyph.At(x, y)) ++differing;
    }
  return differing;
}

}  // namespace

TEST(ScaledControls, TheSharpSkinsCheckGlyphsAreItsDoubleSizedPicturesFrom175PercentUp) {
  const TDpiScale scale(DisplayDpiOfTheRun());
  ASSERT_FALSE(scale.IsIdentity()) << "the test runs on a display of another scale";
  TSkinnedSession session(true, SkinPackageResource(L"SHARPSKIN"));
  TSkinData& skin = session.Skin();
  ASSERT_EQ(skin.SkinName, L"Quillmere Slate Sharp");
  TBitmap single, doubled;
  PackagePicture(L"SHARPSKIN", "check.bmp", single);
  PackagePicture(L"SHARPSKIN", "check@2x.bmp", doubled);
  const int count = skin.Buttons.CheckButtonFrame;
  // The glyphs each source gives at this scale; at 200 % the double-sized picture is itself.
  TBitmap fromDouble, fromSingle;
  ScaleSkinBitmap(doubled, fromDouble, count, 1, kDoubleImageDpi, scale.Dpi(), single.Width() / count,
                  single.Height());
  ScaleSkinBitmap(single, fromSingle, count, 1, kLayoutDpi, scale.Dpi());
  if (scale.Dpi() == kDoubleImageDpi) {
    ASSERT_EQ(AllPixels(fromDouble), AllPixels(doubled));
  }
  const bool sharp = scale.PrefersDoubleImages();
  TBitmap& expected = sharp ? fromDouble : fromSingle;
  TBitmap& other = sharp ? fromSingle : fromDouble;

  auto* gallery = Application.CreateForm<TGalleryForm>();
  ASSERT_TRUE(ShowSkinned(*gallery));
  ASSERT_EQ(SkinnerOf(gallery->Handle())->Dpi, scale.Dpi());
  Pump(200);
  const COLORREF face = ColorToRGB(skin.Colours.ButtonFace);
  int boxes = 0;
  for (int i = 0; i < gallery->ComponentCount(); ++i) {
    auto* box = dynamic_cast<TCheckBox*>(gallery->Components(i));
    if (!box || !box->HandleAllocated() || !IsWindowVisible(box->Handle())) continue;
    TSkinControl* skinner = TSkinControl::ForComponent(box);
    ASSERT_NE(skinner, nullptr);
    HWND wnd = box->Handle();
    const TPixels shown = PaintedBy(*skinner, wnd, face);
    const auto state = static_cast<UINT>(SendMessageW(wnd, BM_GETSTATE, 0, 0));
    const int frame = CheckBoxFrame((state & BST_CHECKED) != 0, (state & BST_INDETERMINATE) != 0,
                                    IsWindowEnabled(wnd) != FALSE);
    const TSkinRect all{0, 0, shown.Width, shown.Height};
    const std::string what = ToUtf8(box->Name()) + " at " + std::to_string(scale.Dpi());
    EXPECT_EQ(DifferingPixels(shown, all, expected, count, frame, face), 0) << what;
    EXPECT_GT(DifferingPixels(shown, all, other, count, frame, face), 8) << what << ": the two sources look alike";
    ++boxes;
  }
  EXPECT_GE(boxes, 3);
}

TEST(ScaledControls, GlyphsAreTheSkinsTimesTheScaleAndRepaintsKeepTheObjectCounts) {
  const TDpiScale scale(DisplayDpiOfTheRun());
  ASSERT_FALSE(scale.IsIdentity()) << "the test runs on a display of another scale";
  TSkinnedSession session;
  TSkinData& skin = session.Skin();
  auto* gallery = Application.CreateForm<TGalleryForm>();
  ASSERT_TRUE(ShowSkinned(*gallery));
  ASSERT_EQ(SkinnerOf(gallery->Handle())->Dpi, scale.Dpi());
  gallery->RepaintAll();
  Pump(200);
  const COLORREF face = ColorToRGB(skin.Colours.ButtonFace);
  const std::string at = " at " + std::to_string(scale.Dpi());

  int boxes = 0, combos = 0, spins = 0;
  for (int i = 0; i < gallery->ComponentCount(); ++i) {
    auto* control = dynamic_cast<TWinControl*>(gallery->Components(i));
    if (!control || !control->HandleAllocated() || !IsWindowVisible(control->Handle())) continue;
    HWND wnd = control->Handle();
    const std::string what = ToUtf8(control->Name()) + at;
    TSkinControl* skinner = TSkinControl::ForComponent(control);
    if (!skinner) continue;
    const TPixels shown = PaintedBy(*skinner, wnd, face);
    const bool enabled = IsWindowEnabled(wnd) != FALSE;
    if (dynamic_cast<TCheckBox*>(control) || dynamic_cast<TRadioButton*>(control)) {
      const bool radio = dynamic_cast<TRadioButton*>(control) != nullptr;
      const auto state = static_cast<UINT>(SendMessageW(wnd, BM_GETSTATE, 0, 0));
      const int frame = CheckBoxFrame((state & BST_CHECKED) != 0, (state & BST_INDETERMINATE) != 0, enabled);
      TBitmap& glyphs = radio ? skin.Buttons.RadioButton : skin.Buttons.CheckButton;
      const int count = radio ? skin.Buttons.RadioButtonFrame : skin.Buttons.CheckButtonFrame;
      const TSkinRect drawn = FirstInkRun(shown, {0, 0, shown.Width, shown.Height}, face);
      ExpectScaled(drawn, InkBox(FrameOf(glyphs, count, frame, face), face), scale, what);
      ++boxes;
    } else if (dynamic_cast<TComboBox*>(control)) {
      TDataSkinObject& arrow = *skin.ExtraImages;
      const TComboBoxLayout layout = ComboBoxLayout(shown.Width, shown.Height,
                                                    SystemMetricForDpi(SM_CXHSCROLL, scale.Dpi()), false);
      // Inside the button's edges, over the button's own face.
      const TSkinRect area = Inset(layout.ArrowArea, scale.Scale(3));
      const COLORREF button = shown.At(area.Left + area.Width() / 2, area.Top);
      const int frame = ComboBoxFrame({false, false, GetFocus() == wnd, enabled});
      ExpectScaled(InkBox(shown, area, button), InkBox(FrameOf(arrow.Image, arrow.FrameCount, frame, button), button),
                   scale, what + " arrow");
      ++combos;
    } else if (auto* spin = dynamic_cast<TUpDown*>(control)) {
      TDataSkinBorder& element = spin->Orientation() == udHorizontal ? *skin.UpDownHorz : *skin.UpDownVert;
      const bool across = spin->Orientation() == udHorizontal;
      RECT client{};
      GetClientRect(wnd, &client);
      for (int half = 0; half < 2; ++half) {
        const TSkinRect place =
            across ? TSkinRect{half * client.right / 2, 0, (half + 1) * client.right / 2, client.bottom}
                   : TSkinRect{0, half * client.bottom / 2, client.right, (half + 1) * client.bottom / 2};
        // Clear of the edges between the halves and at their ends; the
        // platform keeps a vertical up-down as narrow as at 96 DPI, so
        // its glyph may fill the width.
        const int by = scale.Scale(2);
        const TSkinRect area = across ? TSkinRect{place.Left + by, place.Top, place.Right - by, place.Bottom}
                                      : TSkinRect{place.Left, place.Top + by, place.Right, place.Bottom - by};
        const COLORREF button = shown.At((area.Left + area.Right) / 2, area.Top);
        const TUpDownButton which = half == 0 ? (across ? udLeft : udUp) : (across ? udRight : udDown);
        const int frame = UpDownFrame(enabled ? 1 : 3, which);
        ExpectScaled(InkBox(shown, area, button),
                     InkBox(FrameOf(element.SecondImage, element.FrameCount, frame, button), button), scale,
                     what + " half " + std::to_string(half));
      }
      ++spins;
    }
  }
  EXPECT_GE(boxes, 6);
  EXPECT_GE(combos, 1);
  EXPECT_GE(spins, 2);

  // The program's own pictures on bit and speed buttons grow with the
  // scale too, and follow a change of the picture in place.
  std::vector<TBitBtn*> bitButtons;
  std::vector<TSpeedButton*> speedButtons;
  for (int i = 0; i < gallery->ComponentCount(); ++i) {
    if (auto* bit = dynamic_cast<TBitBtn*>(gallery->Components(i))) bitButtons.push_back(bit);
    if (auto* speed = dynamic_cast<TSpeedButton*>(gallery->Components(i))) speedButtons.push_back(speed);
  }
  constexpr COLORREF kMark = RGB(20, 40, 200), kGround = RGB(255, 0, 255);
  // Two cells of 12 x 10, each with the mark on the transparent ground.
  auto drawMarks = [&](const TSkinRect& mark) {
    auto draw = [&](TBitmap& glyph) {
      if (glyph.Width() != 24) MakeFilled(glyph, 24, 10, kGround);
      PaintPixels(glyph, {0, 0, 24, 10}, kGround);
      for (int cell = 0; cell < 2; ++cell)
        PaintPixels(glyph, {mark.Left + 12 * cell, mark.Top, mark.Right + 12 * cell, mark.Bottom}, kMark);
    };
    for (TBitBtn* bit : bitButtons) draw(bit->Glyph()), bit->SetNumGlyphs(2);
    for (TSpeedButton* speed : speedButtons) draw(speed->Glyph().Glyph()), speed->Glyph().SetNumGlyphs(2);
    gallery->RepaintAll();
    Pump(100);
  };
  auto markBox = [&](const TPixels& pixels) {
    TSkinRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < pixels.Height; ++y)
      for (int x = 0; x < pixels.Width; ++x)
        if (pixels.At(x, y) == kMark)
          box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
    return box.Left == INT_MAX ? TSkinRect{} : box;
  };
  auto expectMarks = [&](const TSkinRect& mark, const std::string& when) {
    for (TBitBtn* bit : bitButtons)
      ExpectScaled(markBox(PaintedBy(*TSkinControl::ForComponent(bit), bit->Handle(), face)), mark, scale,
                   ToUtf8(bit->Name()) + when + at);
    int onScreen = 0;
    for (TSpeedButton* speed : speedButtons) {
      // Windowless: read from the screen, where the form's edge lies within it.
      POINT corner{speed->BoundsRect().left, speed->BoundsRect().top};
      ClientToScreen(speed->Parent()->Handle(), &corner);
      const RECT place{corner.x, corner.y, corner.x + speed->Width(), corner.y + speed->Height()};
      if (place.right > GetSystemMetrics(SM_CXSCREEN) || place.bottom > GetSystemMetrics(SM_CYSCREEN)) continue;
      ExpectScaled(markBox(ScreenShot(place)), mark, scale, ToUtf8(speed->Name()) + when + at);
      ++onScreen;
    }
    EXPECT_GE(onScreen, 2) << when;
  };
  ASSERT_GE(bitButtons.size(), 5u);
  ASSERT_GE(speedButtons.size(), 5u);
  drawMarks({2, 2, 10, 8});
  expectMarks({2, 2, 10, 8}, " glyph");
  drawMarks({4, 3, 8, 7});
  expectMarks({4, 3, 8, 7}, " changed glyph");

  // Repainting everything makes nothing that stays: the scaled elements were
  // made once, and a changed glyph replaces its scaled copy.
  gallery->RepaintAll();
  Pump(100);
  FreeBitmapContexts();
  const TGuiObjects settled = CountGuiObjects();
  for (int i = 0; i < 50; ++i) gallery->RepaintAll();
  Pump(100);
  FreeBitmapContexts();
  EXPECT_EQ(CountGuiObjects(), settled) << "after 50 repaints" << at;
  for (int i = 0; i < 10; ++i) drawMarks(i % 2 ? TSkinRect{4, 3, 8, 7} : TSkinRect{2, 2, 10, 8});
  FreeBitmapContexts();
  EXPECT_EQ(CountGuiObjects(), settled) << "after 10 changed glyphs" << at;

  // Without the skin the toolkit's own paint draws them at the scale too.
  skin.SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !SkinnerOf(gallery->Handle()); }));
  gallery->RepaintAll();
  Pump(200);
  int plain = 0;
  std::vector<TControl*> buttons(bitButtons.begin(), bitButtons.end());
  buttons.insert(buttons.end(), speedButtons.begin(), speedButtons.end());
  for (TControl* button : buttons) {
    POINT corner{button->BoundsRect().left, button->BoundsRect().top};
    ClientToScreen(button->Parent()->Handle(), &corner);
    const RECT place{corner.x, corner.y, corner.x + button->Width(), corner.y + button->Height()};
    if (place.right > GetSystemMetrics(SM_CXSCREEN) || place.bottom > GetSystemMetrics(SM_CYSCREEN)) continue;
    ExpectScaled(markBox(ScreenShot(place)), {4, 3, 8, 7}, scale, ToUtf8(button->Name()) + " without the skin" + at);
    ++plain;
  }
  EXPECT_GE(plain, 4);
}

TEST(ScaledControls, ADropDownsCheckMarkAndImageGlyphAreTheirSizeTimesTheScale) {
  const TDpiScale scale(DisplayDpiOfTheRun());
  ASSERT_FALSE(scale.IsIdentity()) << "the test runs on a display of another scale";
  TSkinnedSession session;
  auto* form = Application.CreateForm<TMenuForm>();
  // A glyph of 10 x 12 dark pixels in a 16 x 16 image, the rest transparent.
  constexpr COLORREF kMask = RGB(255, 0, 255);
  TBitmap strip;
  MakeFilled(strip, 16, 16, kMask);
  PaintPixels(strip, {3, 2, 13, 14}, RGB(40, 40, 120));
  TImageList images(form);
  images.AddMasked(strip, TColor(kMask));
  form->Menu()->SetImages(&images);
  ASSERT_TRUE(ShowSkinned(*form));
  TWinSkinForm& skinner = *SkinnerOf(form->Handle());
  ASSERT_EQ(skinner.Dpi, scale.Dpi());
  HMENU file = form->File->Handle();

  // The drop-down of File, as the screen shows its items.
  auto itemsShown = [&] {
    std::vector<TPixels> items;
    const POINT entry = CentreOf(skinner.SkinMenu->Entries.at(0)->Bounds, form->Handle());
    TInputThread input([&] {
      PressLeft(entry);
      ReleaseLeft(entry);
      if (WaitFor([] { return OpenMenuWindow() != nullptr; })) {
        Sleep(300);
        items = ItemPixels(form->Handle(), file);
      }
      TapKey(VK_ESCAPE);
      WaitFor([] { return OpenMenuWindow() == nullptr; });
      TapKey(VK_ESCAPE);  // the bar's keyboard mode, where the drop-down's Escape went, ends too
    });
    EXPECT_TRUE(PumpUntil([&] { return input.Done(); }, 15000));
    EXPECT_TRUE(PumpUntil([&] { return !skinner.MenuTracking; }));
    Pump(200);
    return items;
  };
  const std::vector<TPixels> plain = itemsShown();
  form->Open->SetChecked(true);
  form->Exit->SetImageIndex(0);
  const std::vector<TPixels> marked = itemsShown();
  ASSERT_EQ(plain.size(), 4u);
  ASSERT_EQ(marked.size(), plain.size());
  const std::string at = " at " + std::to_string(scale.Dpi());

  // What the check and the image add to their items is the mark and the glyph, grown.
  TBitmapHandle mark(LoadBitmapW(nullptr, MAKEINTRESOURCEW(32760)));  // the platform's check mark
  BITMAP info{};
  ASSERT_TRUE(mark && GetObjectW(mark.Get(), sizeof(info), &info));
  TBitmap markPixels;
  MakeFilled(markPixels, info.bmWidth, info.bmHeight, RGB(255, 255, 255));
  {
    TMemoryDCHandle source(CreateCompatibleDC(nullptr));
    TSelectObject held(source.Get(), mark.Get());
    BitBlt(markPixels.Canvas().Handle(), 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
  }
  GdiFlush();
  const TSkinRect mark96 = InkBox(FrameOf(markPixels, 1, 1, RGB(255, 255, 255)), RGB(255, 255, 255));
  ExpectScaled(Difference(plain[0], marked[0]), mark96, scale, "Open's check mark" + at);
  ExpectScaled(Difference(plain[3], marked[3]), {3, 2, 13, 14}, scale, "Exit's glyph" + at);
  EXPECT_TRUE(Difference(plain[2], marked[2]).IsEmpty()) << "Recent stays as it was";
  // Items keep room for the grown glyph box; the separator is not one.
  for (size_t item : {0u, 2u, 3u}) EXPECT_GE(marked[item].Height, scale.Scale(16)) << "item " << item << at;
}
