// The skinners of check boxes, radio buttons, group boxes, status bars,
// progress and track bars, up-downs and tabs on real controls: the glyph,
// frame or fill each state shows, read back from the screen.
#include "SkinnedControls.h"

#include <commctrl.h>

#include "skin/controls/CheckCell.h"
#include "skin/controls/SkinBars.h"
#include "skin/controls/SkinBoxes.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabs.h"
#include "skin/model/SkinDraw.h"
#include "skin/model/SkinTransforms.h"
#include "toolkit/forms/RadioButtons.h"
#include "toolkit/forms/RangeControls.h"
#include "toolkit/forms/StatusBar.h"
#include "toolkit/forms/TabSet.h"
#include "toolkit/forms/Tabs.h"

namespace {

class SkinBoxesAndBars : public SkinnedForm {
 protected:
  template <class Skinner>
  Skinner* Attach(TComponent& control) {
    auto* skinner = new Skinner(&control);
    skinner->AttachControl(nullptr, Skin, false, nullptr);
    return skinner;
  }
  // Whether the screen shows frame `frame` of a glyph strip at the window's
  // cell: every pixel of the glyph that is not transparent.
  bool ShowsGlyph(HWND wnd, TBitmap& strip, int count, const TSkinRect& cell, int frame) {
    for (int y = 0; y < cell.Height(); ++y)
      for (int x = 0; x < cell.Width(); ++x) {
        COLORREF glyph = ImagePixel(strip, count, frame, x, y);
        if (glyph != RGB(255, 0, 255) && ScreenPixel(wnd, cell.Left + x, cell.Top + y) != glyph) return false;
      }
    return true;
  }
  TSkinRect CheckCell(HWND wnd, TBitmap& strip, int count) {
    RECT window;
    GetWindowRect(wnd, &window);
    TCheckCellInput in{{0, 0, window.right - window.left, window.bottom - window.top}, strip.Width(), strip.Height(),
                       count, GetSystemMetrics(SM_CXMENUCHECK),
                       (GetWindowLongPtrW(wnd, GWL_STYLE) & BS_LEFTTEXT) != 0, {}};
    return PlaceCheckCell(in).Cell;
  }
  // The frame of a check box's glyph on the screen, 0 for none of them.
  int CheckFrame(HWND wnd) {
    TDataSkinButton& buttons = Skin.Buttons;
    TSkinRect cell = CheckCell(wnd, buttons.CheckButton, buttons.CheckButtonFrame);
    for (int frame = 1; frame <= buttons.CheckButtonFrame; ++frame)
      if (ShowsGlyph(wnd, buttons.CheckButton, buttons.CheckButtonFrame, cell, frame)) return frame;
    return 0;
  }
  int Check(HWND wnd, int expected) { return Eventually([&] { return CheckFrame(wnd); }, expected); }
  COLORREF Pixel(HWND wnd, int x, int y, COLORREF expected) {
    return Eventually([&] { return ScreenPixel(wnd, x, y); }, expected);
  }
};

}  // namespace

TEST_F(SkinBoxesAndBars, CheckBoxesShowTheGlyphOfTheirStateIndeterminateAsFrameFour) {
  auto* plain = Add<TCheckBox>(20, 20, 120, 20, L"自动命名");
  auto* grayed = Add<TCheckBox>(20, 50, 120, 20, L"循环");
  grayed->SetAllowGrayed(true);
  grayed->SetState(cbGrayed);
  auto* disabled = Add<TCheckBox>(20, 80, 120, 20, L"禁用");
  disabled->SetEnabled(false);
  for (TCheckBox* box : {plain, grayed, disabled}) Attach<TSkinCheckBox>(*box);
  Settle();
  EXPECT_EQ(Check(plain->Handle(), 1), 1);
  EXPECT_EQ(Check(grayed->Handle(), 4), 4);
  EXPECT_EQ(Check(disabled->Handle(), 3), 3);

  ClickAt(ScreenPoint(plain->Handle(), 40, 10));
  EXPECT_TRUE(plain->Checked());
  EXPECT_EQ(Check(plain->Handle(), 2), 2);
  disabled->SetChecked(true);
  EXPECT_EQ(Check(disabled->Handle(), 4), 4) << "a disabled checked box shares frame 4";
}

TEST_F(SkinBoxesAndBars, ALeftTextCheckBoxHasItsGlyphAtTheRightAndRadioButtonsTheirOwnGlyphs) {
  HWND left = CreateWindowExW(0, L"BUTTON", L"循环", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_LEFTTEXT, 20, 20,
                              120, 20, Form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  TComponent owner(nullptr);
  (new TSkinCheckBox(&owner))->AttachWindow(left, Skin, nullptr, nullptr);
  auto* group = Add<TRadioGroup>(20, 60, 160, 90, L"声道");
  group->SetItems({L"单声道", L"立体声"});
  group->SetItemIndex(1);
  for (int i = 0; i < group->ItemCount(); ++i) Attach<TSkinRadioButton>(*group->Buttons(i));
  Attach<TSkinGroupBox>(*group);
  Settle();

  TSkinRect cell = CheckCell(left, Skin.Buttons.CheckButton, Skin.Buttons.CheckButtonFrame);
  EXPECT_GT(cell.Left, 100) << "at the right edge";
  EXPECT_EQ(Check(left, 1), 1);
  ClickAt(ScreenPoint(left, 20, 10));
  EXPECT_EQ(Check(left, 2), 2);

  TDataSkinButton& buttons = Skin.Buttons;
  for (int i = 0; i < 2; ++i) {
    HWND radio = group->Buttons(i)->Handle();
    TSkinRect place = CheckCell(radio, buttons.RadioButton, buttons.RadioButtonFrame);
    const int frame = i == 1 ? 2 : 1;
    EXPECT_TRUE(Eventually([&] { return ShowsGlyph(radio, buttons.RadioButton, buttons.RadioButtonFrame, place, frame); },
                           true))
        << "radio " << i;
  }
  // The group box's rounded frame in the skin's shadow colour, along its bottom edge.
  const COLORREF shadow = ColorToRGB(Skin.Colours.ButtonShadow);
  EXPECT_EQ(Pixel(group->Handle(), 80, 89, shadow), shadow);
}

TEST_F(SkinBoxesAndBars, AStatusBarWithoutPanelsShowsOneLoweredPanelAndPanelsTheirBevels) {
  // A status bar keeps to its parent's bottom edge, across its whole width.
  auto* bar = Add<TStatusBar>(0, 0, 300, 20);
  bar->SetSimpleText(L"已经录制了");
  bar->SetSizeGrip(false);
  Attach<TSkinStatusBar>(*bar);
  Settle();
  RECT window;
  GetWindowRect(bar->Handle(), &window);
  const int right = window.right - window.left - 1, bottom = window.bottom - window.top - 1;
  TDataSkinObject& edges = *Skin.StatusBarEdges;
  auto edgePixel = [&](int frame, int x, int y) { return ImagePixel(edges.Image, 3, frame, x, y); };
  EXPECT_EQ(Pixel(bar->Handle(), 0, 0, edgePixel(1, 0, 0)), edgePixel(1, 0, 0));
  EXPECT_EQ(Pixel(bar->Handle(), right, bottom, edgePixel(1, 11, 11)), edgePixel(1, 11, 11)) << "across the bar";

  bar->SetProperty(L"Panels", TLayoutItems{{{L"Width", int64_t(100)}, {L"Bevel", TLayoutIdent{L"pbRaised"}}},
                                           {{L"Width", int64_t(50)}}});
  Settle();
  RECT first{}, second{};
  SendMessageW(bar->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageW(bar->Handle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&second));
  EXPECT_EQ(Pixel(bar->Handle(), first.left, first.top, edgePixel(2, 0, 0)), edgePixel(2, 0, 0)) << "raised";
  EXPECT_EQ(Pixel(bar->Handle(), second.left, second.top, edgePixel(1, 0, 0)), edgePixel(1, 0, 0)) << "lowered";
  EXPECT_EQ(Pixel(bar->Handle(), right, second.bottom - 1, edgePixel(1, 11, 11)), edgePixel(1, 11, 11))
      << "the last reaches the end";
}

TEST_F(SkinBoxesAndBars, AProgressBarFillsFromItsLeftEdgeIgnoringItsLowerLimit) {
  auto* empty = Add<TProgressBar>(20, 20, 200, 16);
  auto* half = Add<TProgressBar>(20, 60, 200, 16);
  half->SetMin(20);
  half->SetPosition(50);
  for (TProgressBar* bar : {empty, half}) Attach<TSkinProgress>(*bar);
  Settle();
  TBitmap& image = Skin.Progress->Image;
  const COLORREF emptyColour = ImagePixel(image, 2, 1, 8, 8), fullColour = ImagePixel(image, 2, 2, 8, 8);
  EXPECT_EQ(Pixel(empty->Handle(), 20, 8, emptyColour), emptyColour);
  EXPECT_EQ(Pixel(empty->Handle(), 180, 8, emptyColour), emptyColour);
  EXPECT_EQ(Pixel(half->Handle(), 20, 8, fullColour), fullColour);
  EXPECT_EQ(Pixel(half->Handle(), 90, 8, fullColour), fullColour) << "50 of 100 is half the bar, whatever the minimum";
  EXPECT_EQ(Pixel(half->Handle(), 110, 8, emptyColour), emptyColour);

  // The chunk style: whole chunks from the element's left margin on, centred across the bar.
  Skin.Progress->Style = 1;
  Settle();
  TBitmap& chunk = Skin.Progress->SecondImage;
  ASSERT_FALSE(chunk.Empty());
  const int top = (16 - chunk.Height()) / 2, left = Skin.Progress->LeftWidth;
  const COLORREF chunkColour = GetPixel(chunk.Canvas().Handle(), chunk.Width() / 2, chunk.Height() / 2);
  EXPECT_EQ(Pixel(half->Handle(), left + chunk.Width() / 2, top + chunk.Height() / 2, chunkColour), chunkColour);
  EXPECT_EQ(Pixel(half->Handle(), left + 3 * chunk.Width() + chunk.Width() / 2, top + chunk.Height() / 2, chunkColour),
            chunkColour);
  EXPECT_NE(ScreenPixel(empty->Handle(), left + chunk.Width() / 2, top + chunk.Height() / 2), chunkColour);
}

TEST_F(SkinBoxesAndBars, UpDownsShowThePressedHalfAndTrackBarsTheSkinsThumb) {
  auto* spin = Add<TUpDown>(20, 20, 20, 40);
  auto* track = Add<TTrackBar>(60, 20, 200, 30);
  track->SetPosition(5);
  Attach<TSkinUpDown>(*spin);
  Attach<TSkinTrackBar>(*track);
  Settle();
  TBitmap& halves = Skin.UpDownVert->Image;
  const COLORREF normal = ImagePixel(halves, 8, 1, 3, 3), pressed = ImagePixel(halves, 8, 2, 3, 3);
  EXPECT_EQ(Pixel(spin->Handle(), 2, 2, normal), normal);
  MouseTo(ScreenPoint(spin->Handle(), 10, 10));
  MouseButton(true);
  EXPECT_EQ(Pixel(spin->Handle(), 2, 2, pressed), pressed);
  EXPECT_EQ(ScreenPixel(spin->Handle(), 2, 22), normal) << "the other half";
  MouseButton(false);
  EXPECT_EQ(Pixel(spin->Handle(), 2, 2, normal), normal);

  RECT thumb{};
  SendMessageW(track->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const COLORREF skinThumb = ImagePixel(Skin.TrackbarThumbHorz->Image, 5, 2, 5, 10);
  EXPECT_EQ(Pixel(track->Handle(), (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2, skinThumb),
            skinThumb);
}

TEST_F(SkinBoxesAndBars, ATabControlWithMoreTabsThanFitKeepsItsScrollerVisibleAndSkinned) {
  auto* tabs = Add<TTabControl>(20, 20, 200, 80);
  std::vector<std::wstring> many;
  for (int i = 1; i <= 12; ++i) many.push_back(L"格式 " + std::to_wstring(i));
  tabs->SetProperty(L"Tabs", [&] {
    std::wstring lines;
    for (const std::wstring& tab : many) lines += (lines.empty() ? L"" : L"\n") + tab;
    return lines;
  }());
  new TSkinTab(tabs);
  dynamic_cast<TSkinTab*>(tabs->Components(0))->AttachWindow(tabs->Handle(), Skin, nullptr, nullptr);
  Settle();
  HWND scroller = FindWindowExW(tabs->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
  ASSERT_NE(scroller, nullptr);
  EXPECT_TRUE(IsWindowVisible(scroller));
  ASSERT_NE(TSkinControl::ForWindow(scroller), nullptr) << "the scroller has its own skinner";
  const COLORREF arrow = ImagePixel(Skin.UpDownHorz->Image, 8, 1, 3, 3);
  EXPECT_EQ(Pixel(scroller, 2, 2, arrow), arrow) << "the strip is not copied over the scroller";

  // The focused tab shows the tab image's second frame at its left edge, the others the first.
  RECT first{};
  SendMessageW(tabs->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  TDataSkinBorder& element = *Skin.Tabs;
  auto framePixel = [&](int frame) {
    auto rendered = RenderElement({0, 0, first.right - first.left, first.bottom - first.top}, element.Image,
                                  {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight},
                                  false, element.Tile != 0, element.FrameCount, frame);
    return GetPixel(rendered->Canvas().Handle(), 1, (first.bottom - first.top) / 2);
  };
  const COLORREF focused = framePixel(2);
  ASSERT_NE(focused, framePixel(1));
  EXPECT_EQ(Pixel(tabs->Handle(), first.left + 1, first.top + 1 + (first.bottom - first.top) / 2, focused), focused);
}

TEST_F(SkinBoxesAndBars, ATabSetPaintsItsChosenTabFromTheFlippedImageAndSkinsItsScroller) {
  auto* set = Add<TTabSet>(20, 20, 160, 24);
  set->SetTabs({L"一", L"二", L"三", L"四", L"五", L"六", L"七", L"八", L"九", L"十"});
  set->SetTabIndex(1);
  Attach<TSkinTab31>(*set);
  Settle();
  ASSERT_TRUE(set->Scroller().Visible());
  EXPECT_NE(TSkinControl::ForWindow(set->Scroller().Handle()), nullptr);
  TDataSkinBorder& element = *Skin.Tabs;
  TBitmap flipped;
  flipped.Assign(element.Image);
  FlipVertical(flipped);
  auto tabsShown = set->TabRects();
  ASSERT_GE(tabsShown.size(), 2u);
  const RECT chosen = tabsShown[1];
  auto rendered = RenderElement({0, 0, chosen.right - chosen.left, chosen.bottom - chosen.top}, flipped,
                                {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight},
                                false, element.Tile != 0, element.FrameCount, 2);
  const COLORREF expected = GetPixel(rendered->Canvas().Handle(), 1, chosen.bottom - chosen.top - 2);
  EXPECT_EQ(Pixel(set->Handle(), chosen.left + 1, chosen.bottom - 2, expected), expected);
}
