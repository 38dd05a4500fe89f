// Menus, image lists, check boxes and bit buttons against the real platform:
// item state reaches the platform menu, items are found by command and by
// sub-menu handle, owner-draw events arrive through a real menu loop, and
// transparent colours and glyph places show in real pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "toolkit/forms/ExtCtrls.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/Menus.h"
#include "toolkit/forms/StdCtrls.h"
#include "toolkit/graphics/ImgList.h"
#include "toolkit/platform/Application.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// File ( Open | - | Recent ( One ) | Exit ) and Help, as a form's menu.
struct TFileMenu {
  explicit TFileMenu(TMenu* root) : Root(root) {
    File = Item(root, L"&File");
    Open = Item(File, L"&Open");
    Item(File, L"-");
    Recent = Item(File, L"&Recent");
    One = Item(Recent, L"One");
    Exit = Item(File, L"E&xit");
    Help = Item(root, L"&Help");
  }
  TMenuItem* Item(TMenuItem* parent, const wchar_t* caption) {
    auto* item = new TMenuItem(Root);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  TMenu* Root;
  TMenuItem *File, *Open, *Recent, *One, *Exit, *Help;
};

MENUITEMINFOW ItemInfo(HMENU menu, UINT position, std::wstring* text = nullptr) {
  static wchar_t buffer[80];
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
  info.dwTypeData = buffer;
  info.cch = 80;
  buffer[0] = 0;
  EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
  if (text) *text = buffer;
  return info;
}

class Menus : public ::testing::Test {
 protected:
  void SetUp() override { Application.Initialize(); }
  TComponent Owner{nullptr};
};

TEST_F(Menus, ItemsAreFoundByCommandAndBySubMenuHandle) {
  auto* bar = new TMainMenu(&Owner);
  TFileMenu menu(bar);
  HMENU handle = bar->MenuHandle();
  EXPECT_EQ(bar->Find(menu.Exit->Command()), menu.Exit);
  EXPECT_EQ(bar->Find(menu.Recent->Command()), menu.Recent) << "an item with sub-items has a command too";
  EXPECT_EQ(bar->Find(0xFFFF), nullptr);
  EXPECT_EQ(bar->FindByHandle(GetSubMenu(handle, 0)), menu.File);
  EXPECT_EQ(bar->FindByHandle(GetSubMenu(GetSubMenu(handle, 0), 2)), menu.Recent);
  EXPECT_EQ(bar->FindByHandle(handle), bar);
  EXPECT_EQ(bar->FindByHandle(nullptr), nullptr);
  EXPECT_EQ(menu.One->GetParentMenu(), bar);
  HMENU file = menu.File->Handle();
  menu.Help->SetCaption(L"&About");  // changed in place: every handle stays
  EXPECT_EQ(bar->MenuHandle(), handle);
  EXPECT_EQ(bar->FindByHandle(file), menu.File);
}

TEST_F(Menus, ItemStateReachesThePlatformMenu) {
  auto* popup = new TPopupMenu(&Owner);
  TFileMenu menu(popup);
  menu.Open->SetChecked(true);
  menu.Open->SetDefault(true);
  menu.Open->SetShortCut(TextToShortCut(L"Ctrl+O"));
  menu.Exit->SetEnabled(false);
  menu.Recent->SetVisible(false);
  HMENU file = GetSubMenu(popup->MenuHandle(), 0);
  ASSERT_EQ(GetMenuItemCount(file), 3) << "the hidden item is left out";
  std::wstring text;
  MENUITEMINFOW open = ItemInfo(file, 0, &text);
  EXPECT_EQ(text, L"&Open\tCtrl+O");
  EXPECT_TRUE(open.fState & MFS_CHECKED);
  EXPECT_TRUE(open.fState & MFS_DEFAULT);
  EXPECT_EQ(open.wID, menu.Open->Command());
  EXPECT_TRUE(ItemInfo(file, 1).fType & MFT_SEPARATOR);
  EXPECT_TRUE(ItemInfo(file, 2).fState & MFS_GRAYED);

  popup->SetOwnerDraw(true);
  file = GetSubMenu(popup->MenuHandle(), 0);
  MENUITEMINFOW drawn = ItemInfo(file, 0, &text);
  EXPECT_TRUE(drawn.fType & MFT_OWNERDRAW);
  EXPECT_EQ(text, L"") << "owner-drawn items carry no text";
  EXPECT_TRUE(ItemInfo(file, 1).fType & MFT_SEPARATOR) << "a drawn separator stays a separator";
}

// Records the owner-draw events, and closes the menu loop by choosing the
// first item with the keyboard once it has been drawn.
class TDrawSpy {
 public:
  void Measure(TComponent* sender, TCanvas& canvas, int& width, int& height) {
    Measured.push_back(sender);
    OwnWidth = width;
    OwnHeight = height;
    HasCanvas = canvas.Handle() != nullptr;
    width += 40;
  }
  void Draw(TComponent* sender, TCanvas& canvas, const RECT& rect, bool) {
    Drawn.push_back(sender);
    DrawnWidth = rect.right - rect.left;
    HasCanvas = HasCanvas && canvas.Handle() != nullptr;
    if (Drawn.size() == 1) {
      HWND menuWindow = FindWindowW(L"#32768", nullptr);
      PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    }
  }
  void Click(TComponent* sender) { Clicked = sender; }

  std::vector<TComponent*> Measured, Drawn;
  int OwnWidth = 0, OwnHeight = 0, DrawnWidth = 0;
  bool HasCanvas = false;
  TComponent* Clicked = nullptr;
};

// Ends a menu loop that a failing test would otherwise leave open.
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

TEST_F(Menus, PopupDrawsOwnerDrawnItemsThroughTheEventsAndClicksTheChoice) {
  TDrawSpy spy;
  auto* popup = new TPopupMenu(&Owner);
  popup->SetOwnerDraw(true);
  auto* first = new TMenuItem(&Owner);
  first->SetCaption(L"录音(&R)");
  first->SetShortCut(TextToShortCut(L"F9"));
  first->SetOnMeasureItem(TMenuMeasureItemEvent::Of<&TDrawSpy::Measure>(spy));
  first->SetOnDrawItem(TMenuDrawItemEvent::Of<&TDrawSpy::Draw>(spy));
  first->SetOnClick(TNotifyEvent::Of<&TDrawSpy::Click>(spy));
  popup->Add(first);
  auto* second = new TMenuItem(&Owner);  // drawn by the toolkit itself
  second->SetCaption(L"&Stop");
  second->SetChecked(true);
  popup->Add(second);

  UINT_PTR timer = SetTimer(nullptr, 0, 5000, EndStuckMenu);
  popup->Popup(100, 100);
  KillTimer(nullptr, timer);

  ASSERT_EQ(spy.Measured.size(), 1u);
  EXPECT_EQ(spy.Measured[0], first);
  EXPECT_GT(spy.OwnWidth, 16) << "the item's own measuring ran before the handler";
  EXPECT_GE(spy.OwnHeight, 16);
  ASSERT_FALSE(spy.Drawn.empty());
  EXPECT_EQ(spy.Drawn[0], first);
  EXPECT_GE(spy.DrawnWidth, spy.OwnWidth + 40) << "the handler's width was used";
  EXPECT_TRUE(spy.HasCanvas);
  EXPECT_EQ(spy.Clicked, first);
}

TEST_F(Menus, AFormRoutesItsMenusOwnerDrawMessagesToTheItems) {
  TDrawSpy spy;
  TForm form(nullptr);
  auto* bar = new TMainMenu(&form);
  TFileMenu menu(bar);
  bar->SetOwnerDraw(true);
  menu.Open->SetOnMeasureItem(TMenuMeasureItemEvent::Of<&TDrawSpy::Measure>(spy));
  form.SetMenu(bar);
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = menu.Open->Command();
  EXPECT_EQ(SendMessageW(form.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
  ASSERT_EQ(spy.Measured.size(), 1u);
  EXPECT_EQ(measure.itemWidth, UINT(spy.OwnWidth + 40));
  measure.itemID = 0xFFFF;  // not an item of this menu: left to the platform
  spy.Measured.clear();
  SendMessageW(form.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
  EXPECT_TRUE(spy.Measured.empty());
}

TEST_F(Menus, AnActionIsToldToUpdateBeforeItsItemIsShown) {
  struct TUpdater {
    void Update(TComponent*) { Item->SetEnabled(false); }
    TMenuItem* Item;
  };
  auto* popup = new TPopupMenu(&Owner);
  auto* item = new TMenuItem(&Owner);
  popup->Add(item);
  TUpdater updater{item};
  TBasicAction action(nullptr);
  action.SetOnUpdate(TNotifyEvent::Of<&TUpdater::Update>(updater));
  item->SetAction(&action);
  UINT_PTR timer = SetTimer(nullptr, 0, 300, EndStuckMenu);
  popup->Popup(100, 100);
  KillTimer(nullptr, timer);
  EXPECT_FALSE(item->Enabled());
  EXPECT_TRUE(ItemInfo(popup->MenuHandle(), 0).fState & MFS_GRAYED);
}

TEST_F(Menus, ItemsChangeInPlaceSoEveryHandleStays) {
  auto* bar = new TMainMenu(&Owner);
  TFileMenu menu(bar);
  HMENU handle = bar->MenuHandle();
  HMENU file = menu.File->Handle();
  menu.Recent->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(file), 3);
  menu.Recent->SetVisible(true);
  EXPECT_EQ(GetSubMenu(file, 2), menu.Recent->Handle()) << "back in its place, with its drop-down";
  menu.Item(menu.Help, L"&About");
  HMENU help = menu.Help->Handle();
  ASSERT_NE(help, nullptr) << "a first sub-item gives the entry a drop-down";
  EXPECT_EQ(GetSubMenu(handle, 1), help);
  delete menu.Open;
  EXPECT_TRUE(ItemInfo(file, 0).fType & MFT_SEPARATOR) << "the separator is first now";
  bar->SetOwnerDraw(true);
  EXPECT_TRUE(ItemInfo(file, 1).fType & MFT_OWNERDRAW);
  EXPECT_EQ(bar->MenuHandle(), handle);
  EXPECT_EQ(menu.File->Handle(), file);
  EXPECT_EQ(menu.Help->Handle(), help);
  EXPECT_TRUE(IsMenu(file));
}

TEST_F(Menus, CommandsStayBelowTheSystemCommandsAcrossSeventyThousandItems) {
  TForm form(nullptr);
  auto* bar = new TMainMenu(&form);
  auto* file = new TMenuItem(&form);
  file->SetCaption(L"&File");
  bar->Add(file);
  form.SetMenu(bar);
  form.Show();
  UINT highest = 0;
  for (int round = 0; round < 70; ++round) {
    std::vector<TMenuItem*> items;
    for (int i = 0; i < 1000; ++i) items.push_back(new TMenuItem(&form));
    for (TMenuItem* item : items) {
      highest = std::max(highest, item->Command());
      item->Free();
    }
  }
  EXPECT_LE(highest, UINT(SC_SIZE - 1)) << "system commands, and the MDI window list's, lie above";
  auto* last = new TMenuItem(&form);
  last->SetCaption(L"&Exit");
  file->Add(last);
  struct TClicks {
    int Count = 0;
    void Click(TComponent*) { ++Count; }
  } clicks;
  last->SetOnClick(TNotifyEvent::Of<&TClicks::Click>(clicks));
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(last->Command(), 0), 0);
  EXPECT_EQ(clicks.Count, 1);
}

// The probe's case: drawing an item brings its action up to date, which
// changes the item while the platform tracks its drop-down.
TEST_F(Menus, AnItemChangedWhileItsDropDownIsTrackedStaysInTheSameMenu) {
  TForm form(nullptr);
  auto* bar = new TMainMenu(&form);
  TFileMenu menu(bar);
  bar->SetOwnerDraw(true);
  form.SetMenu(bar);
  form.Show();
  struct TTracker {
    TMenuItem* Item;
    HMENU DropDown;
    bool StillThere = false;
    void Update(TComponent*) { Item->SetCaption(L"&Open 录音.wav"); }
    void Draw(TComponent*, TCanvas&, const RECT&, bool) {
      StillThere = IsMenu(DropDown) && Item->Parent()->Handle() == DropDown;
      PostMessageW(FindWindowW(L"#32768", nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
    }
  } tracker{menu.Open, menu.File->Handle()};
  TBasicAction action(&form);
  action.SetOnUpdate(TNotifyEvent::Of<&TTracker::Update>(tracker));
  menu.Open->SetAction(&action);
  menu.Open->SetOnDrawItem(TMenuDrawItemEvent::Of<&TTracker::Draw>(tracker));
  UINT_PTR timer = SetTimer(nullptr, 0, 5000, EndStuckMenu);
  TrackPopupMenu(tracker.DropDown, TPM_RETURNCMD, 100, 100, 0, form.Handle(), nullptr);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(tracker.StillThere);
  EXPECT_EQ(menu.Open->Caption(), L"&Open 录音.wav");
  EXPECT_EQ(GetSubMenu(GetMenu(form.Handle()), 0), tracker.DropDown);
}

class ImageLists : public Menus {
 protected:
  // Two 16 x 16 images on fuchsia: the second has a blue 4 x 4 square in its middle.
  static void PaintStrip(TBitmap& strip) {
    strip.SetSize(32, 16);
    HDC dc = strip.Canvas().Handle();
    strip.Canvas().Brush().SetColor(clFuchsia);
    RECT all{0, 0, 32, 16};
    strip.Canvas().FillRect(all);
    strip.Canvas().Brush().SetColor(clBlue);
    RECT square{16 + 6, 6, 16 + 10, 10};
    strip.Canvas().FillRect(square);
    GdiFlush();
    (void)dc;
  }
  static COLORREF DrawnPixel(TImageList& list, int index, int x, int y, bool enabled = true) {
    TBitmap target;
    target.SetSize(16, 16);
    target.Canvas().Brush().SetColor(TColor(kRed));
    RECT all{0, 0, 16, 16};
    target.Canvas().FillRect(all);
    list.Draw(target.Canvas(), 0, 0, index, enabled);
    return GetPixel(target.Canvas().Handle(), x, y);
  }
};

TEST_F(ImageLists, TheMaskColourIsTransparent) {
  TImageList list(nullptr);
  TBitmap strip;
  PaintStrip(strip);
  EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(DrawnPixel(list, 1, 8, 8), kBlue);
  EXPECT_EQ(DrawnPixel(list, 1, 0, 0), kRed) << "fuchsia lets the background through";
  EXPECT_EQ(DrawnPixel(list, 0, 8, 8), kRed);
  EXPECT_EQ(DrawnPixel(list, 2, 8, 8), kRed) << "an index past the end draws nothing";
  EXPECT_EQ(GetPixel(strip.Canvas().Handle(), 0, 0), RGB(255, 0, 255)) << "the source is left as it was";
  EXPECT_EQ(list.AddMasked(strip, clFuchsia), 2);
}

TEST_F(ImageLists, ADisabledImageIsNotDrawnInItsColours) {
  TImageList list(nullptr);
  TBitmap strip;
  PaintStrip(strip);
  list.AddMasked(strip, clFuchsia);
  EXPECT_NE(DrawnPixel(list, 1, 8, 8, false), kBlue);
  EXPECT_EQ(DrawnPixel(list, 1, 0, 0, false), kRed);
}

TEST_F(ImageLists, BadSourcesAreErrors) {
  TImageList list(nullptr);
  TBitmap empty;
  EXPECT_THROW(list.AddMasked(empty, clFuchsia), Exception);
  EXPECT_THROW(list.LoadFromResourceName(L"NO_SUCH_BITMAP", clWhite), Exception);
  EXPECT_EQ(list.Count(), 0);
}

class ButtonForm : public Menus {
 protected:
  void SetUp() override {
    Menus::SetUp();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(100, 100, 300, 200);
    Form->Show();
  }
  void TearDown() override {
    Form.reset();
    Menus::TearDown();
  }
  COLORREF PixelOf(TWinControl& control, int x, int y) {
    InvalidateRect(control.Handle(), nullptr, TRUE);
    UpdateWindow(control.Handle());
    Application.ProcessMessages();
    TWindowDC dc(control.Handle());
    return GetPixel(dc.Get(), x, y);
  }
  std::unique_ptr<TForm> Form;
};

TEST_F(ButtonForm, ACheckBoxKeepsItsCheckAcrossTheWindowAndClicks) {
  auto* box = new TCheckBox(Form.get());
  box->SetChecked(true);
  box->SetParent(Form.get());
  box->SetBounds(10, 10, 120, 20);
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  struct TClicks {
    void Count(TComponent*) { ++Count_; }
    int Count_ = 0;
  } clicks;
  box->SetOnClick(TNotifyEvent::Of<&TClicks::Count>(clicks));
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks.Count_, 1);
  box->SetProperty(L"Checked", BoolProp(true));
  EXPECT_TRUE(PropBool(*box->GetProperty(L"Checked")));
}

// Two fuchsia 16 x 16 cells, the first with a blue middle.
void PaintGlyph(TBitmap& glyph) {
  glyph.SetSize(32, 16);
  RECT all{0, 0, 32, 16}, blue{2, 2, 14, 14};
  glyph.Canvas().Brush().SetColor(clFuchsia);
  glyph.Canvas().FillRect(all);
  glyph.Canvas().Brush().SetColor(clBlue);
  glyph.Canvas().FillRect(blue);
}

TEST_F(ButtonForm, ABitButtonDrawsItsGlyphWhereTheLayoutPutsIt) {
  auto* button = new TBitBtn(Form.get());
  button->SetParent(Form.get());
  button->SetBounds(10, 10, 100, 30);
  PaintGlyph(button->Glyph());
  button->SetNumGlyphs(2);
  button->SetMargin(4);
  button->SetLayout(blGlyphRight);
  EXPECT_EQ(PixelOf(*button, 100 - 4 - 8, 15), kBlue);
  EXPECT_NE(PixelOf(*button, 100 - 4 - 15, 8), RGB(255, 0, 255)) << "the glyph's corner colour is transparent";
  EXPECT_NE(PixelOf(*button, 4 + 8, 15), kBlue);
  button->SetLayout(blGlyphLeft);
  EXPECT_EQ(PixelOf(*button, 4 + 8, 15), kBlue);
  EXPECT_THROW(button->SetProperty(L"Layout", TPropValue(TLayoutIdent{L"blSideways"})), EPropertyError);
}

TEST_F(ButtonForm, ASpeedButtonCentresItsGlyphOnePixelFurtherIn) {
  auto* button = new TSpeedButton(Form.get());
  button->SetParent(Form.get());
  button->SetBounds(10, 60, 60, 30);
  PaintGlyph(button->Glyph().Glyph());
  button->Glyph().SetNumGlyphs(2);
  // Glyph at (60 - 16) div 2 + 1 = 23 across, (30 - 16 + 1) div 2 = 7 down.
  EXPECT_EQ(PixelOf(*Form, 10 + 23 + 2, 60 + 7 + 2), kBlue);
  EXPECT_NE(PixelOf(*Form, 10 + 23 + 1, 60 + 7 + 2), kBlue);
  button->SetDown(true);  // pushed in by one pixel
  EXPECT_EQ(PixelOf(*Form, 10 + 23 + 3, 60 + 7 + 3), kBlue);
  EXPECT_NE(PixelOf(*Form, 10 + 23 + 2, 60 + 7 + 2), kBlue);
}

}  // namespace
